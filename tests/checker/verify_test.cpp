// --verify: a copy that means something else is caught at its first differing instant, and the
// copies that morvac-check writes for random programs rich in derived statements and runs behave
// as their programs do.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "check_file.h"
#include "program_files.h"
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

// --verify runs every trace on one simulator started again: after reset() a simulator reacts
// to a trace as a new one does.
TEST(CheckerVerify, ASimulatorStartedAgainReactsAsANewOne) {
  RandomPrograms random(11, false);
  for (int round = 0; round < 200; ++round) {
    const std::string source = RandomPrograms::module(random.statement(3));
    const sim::ProgramFiles files = sim::read_program_files({{"m.strl", source}}, "");
    ASSERT_TRUE(files.program.has_value()) << source;
    const sim::KernelProgram& program = *files.program;
    const auto ids = [&](const std::vector<std::string>& names) {
      std::vector<sim::SignalId> present;
      for (sim::SignalId s = 0; s < program.signals.size(); ++s) {
        if (std::find(names.begin(), names.end(), program.signals[s].name) != names.end() &&
            program.signals[s].kind == sim::SignalKind::Input) {
          present.push_back(s);
        }
      }
      return present;
    };
    sim::Simulator used(program);
    for (const auto& instant : random.trace(12)) used.react(ids(instant));
    used.reset();
    sim::Simulator fresh(program);
    for (const auto& instant : random.trace(12)) {
      const sim::Reaction& again = used.react(ids(instant));
      const sim::Reaction& first = fresh.react(ids(instant));
      ASSERT_EQ(first.emitted, again.emitted) << source;
      ASSERT_EQ(first.terminated, again.terminated) << source;
      ASSERT_EQ(first.error.kind, again.error.kind) << source;
    }
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

// Runs written out: a random module run by another in random places, with signals renamed
// (swapped, bound to a local signal), in one file and across two files.
TEST(CheckerVerify, RunsWrittenOutBehaveAsTheirPrograms) {
  const char* const patterns[] = {
      "run A",
      "run A [signal T / S, S / T, P / O, O / P]",
      "$P || copymodule A [signal K / S]",
      "repeat $N times run A end",
      "every S do run B / A [signal I / T] end",
      "signal L in run A [signal L / O] || loop await L; emit Q end end",
  };
  const std::string header = "input S, T, I, J, K;\noutput O, P, Q;\n";
  RandomPrograms random(5, false);
  int written = 0;
  for (int round = 0; round < 25; ++round) {
    for (const char* pattern : patterns) {
      const std::string callee = "module A:\n" + header + random.statement(2) + "\nend module\n";
      const std::string caller =
          "module M:\n" + header + random.instantiate(pattern, 2) + "\nend module\n";
      const bool apart = round % 2 == 1;
      std::vector<FileReport> reports =
          apart ? check_sources({caller, callee}, 1) : check_sources({callee + caller}, 1);
      const std::string source = apart ? caller : callee + caller;
      const FileReport& report = reports.front();
      EXPECT_TRUE(report.inconsistencies.empty()) << source;
      const bool wrote = std::any_of(report.findings.begin(), report.findings.end(),
                                     [](const Finding& f) {
                                       return std::string(f.rule) == "module-instance" &&
                                              f.level == Level::Warning;
                                     });
      EXPECT_TRUE(wrote) << callee << caller << report.copy.text;
      written += wrote ? 1 : 0;
      std::vector<std::pair<std::string, std::string>> others;
      if (apart) others.emplace_back("a.strl", callee);
      const Verification v =
          verify_copy("m.strl", source, report.copy.text, 10, 20, round + 1, others);
      EXPECT_EQ(Verification::Outcome::Verified, v.outcome)
          << callee << caller << report.copy.text << v.message;
    }
  }
  EXPECT_EQ(written, 150);
}

}  // namespace
