// --verify: a copy that means something else is caught at its first differing instant, and the
// copies that morvac-check writes for random programs rich in derived statements behave as their
// programs do.
#include <gtest/gtest.h>

#include <string>

#include "check_file.h"
#include "random_programs.h"
#include "verify_copy.h"

namespace {

std::string module(const std::string& body) {
  return "module M:\ninput S, T;\noutput O, P;\n" + body + "\nend module\n";
}

TEST(CheckerVerify, CatchesTheFirstDifferenceAndSaysWhyItCannotRun) {
  struct Case {
    const char* program;
    const char* copy;
    Verification::Outcome outcome;
    const char* message;
  };
  const Case cases[] = {
      {"every S do emit O end", "[await S; loop emit O each S]", Verification::Outcome::Verified,
       "verified on 30 traces of 20 instants: the copy emits what the program emits"},
      // The copy forgets the first `await S`: O comes one S too early.
      {"every S do emit O end", "loop emit O each S", Verification::Outcome::Differs,
       "the copy behaves otherwise than the program: on trace 1, instant 1, inputs "},
      {"await 2 S; emit O", "await S; emit O", Verification::Outcome::Differs,
       ": the program emits nothing, the copy emits O and terminates"},
      {"emit O", "emit O; halt", Verification::Outcome::Differs,
       ": the program emits O and terminates, the copy emits O"},
      {"loop emit O; pause; emit P; pause end", "loop emit O; pause; emit P; pause end",
       Verification::Outcome::Verified, "verified on 30 traces"},
      {"emit O", "emit O; emit Q", Verification::Outcome::Differs,
       "the copy is not the program: morvac-sim does not run the copy"},
      {"var x : integer in emit O end", "var x : integer in emit O end",
       Verification::Outcome::NotRun, "not verified: morvac-sim does not run the program: "},
  };
  for (const Case& c : cases) {
    const Verification v = verify_copy("m.strl", module(c.program), module(c.copy), 30, 20);
    EXPECT_EQ(c.outcome, v.outcome) << c.program << " / " << c.copy << ": " << v.message;
    EXPECT_NE(std::string::npos, v.message.find(c.message)) << v.message;
  }
}

// Each random program runs its traces on one simulator, started again for each trace: a
// simulator that kept a former trace's selection hung here.
TEST(CheckerVerify, CopiesOfRandomProgramsBehaveAsTheirPrograms) {
  // Derived statements of every kind that the copy rewrites, over random parts.
  const char* const patterns[] = {
      "every S do $P end",      "await $N S",
      "await immediate S; $P",  "await S do $P end",
      "await $N T do $P end",   "do $P watching T",
      "do $P upto S",           "present case [S and not T] do $P case T do $Q else $R end",
      "repeat $N times $P end", "abort $P when [T]",
      "loop $P each [S]",       "every T do repeat $N times await S end; $P end",
  };
  RandomPrograms random(7, false);
  int rewritten = 0;
  for (int round = 0; round < 40; ++round) {
    for (const char* pattern : patterns) {
      std::string body = random.instantiate(pattern, 2);
      const std::string source =
          "module M:\ninput S, T, I, J, K;\noutput O, P, Q;\n" + body + "\nend module\n";
      const FileReport report = check_source(source);
      EXPECT_TRUE(report.inconsistencies.empty()) << source;
      if (!report.copy.rewritten) continue;
      ++rewritten;
      const Verification v = verify_copy("m.strl", source, report.copy.text, 10, 20, round + 1);
      EXPECT_NE(Verification::Outcome::Differs, v.outcome)
          << source << report.copy.text << v.message;
    }
  }
  EXPECT_GT(rewritten, 300);
}

}  // namespace
