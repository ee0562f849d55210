// Runs that the copy must not write out, each for its reason, and the nesting limit: what the
// golden files of run/ leave out because they need many modules or one shape each.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "check_file.h"

namespace {

std::string module(const std::string& name, const std::string& declarations,
                   const std::string& body) {
  return "module " + name + ":\n" + declarations + "\n" + body + "\nend module\n";
}

// The findings of rule module-instance in the report, one a line: "LEVEL MESSAGE".
std::string run_findings(const FileReport& report) {
  std::string out;
  for (const Finding& finding : report.findings) {
    if (std::string_view(finding.rule) != "module-instance") continue;
    out += std::string(level_name(finding.level)) + " " + finding.message + "\n";
  }
  return out;
}

TEST(CheckerRuns, EachRunThatIsNotWrittenOutSaysWhy) {
  const std::string pure = "input S; output O;";
  const std::string light = module("Light", pure, "await S; emit O");
  struct Case {
    std::string program;
    const char* findings;  // what run_findings says
  };
  const Case cases[] = {
      // O is declared nowhere around the run: one error, whatever its type.
      {module("Light", "input S; output O : integer;", "await S; emit O(1)") +
           module("M", "input S;", "run Light"),
       "error `run Light`: no signal named O here for Light's `output O : integer`\n"},
      // Light is written out, M is not: what runs M is not written out either.
      {light + module("M", pure, "run Light; run Nowhere") + module("Top", pure, "run M"),
       "warning `run Light`: morvac refuses it; the copy writes the body of module Light in its "
       "place\n"
       "note `run Nowhere`: the copy does not write it out: no module named Nowhere in the files "
       "given (give the file that holds it with -m)\n"
       "note `run M`: the copy does not write it out: M runs a module that the copy does not "
       "write out\n"},
      // The local L of a module that Inner runs would take the name that the renaming gives.
      {module("Deep", pure, "signal L in emit L; await S; emit O end") +
           module("Inner", pure, "run Deep") +
           module("M", "input S; output L;", "run Inner [signal L / O]"),
       "warning `run Deep`: morvac refuses it; the copy writes the body of module Deep in its "
       "place\n"
       "note `run Inner`: the copy does not write it out: Inner runs a module that declares L "
       "inside its body, where the renaming would change what it names\n"},
      // A trap of the module run is declared inside its body too.
      {module("Trapped", pure, "trap K in await S; exit K end; emit O") +
           module("M", "input S; output K;", "run Trapped [signal K / O]"),
       "note `run Trapped`: the copy does not write it out: Trapped declares K inside its body, "
       "where the renaming would change what it names\n"},
      // S is a signal and a constant of the module run: renaming the signal would rename both.
      {module("Both", "constant S : integer; input S; output O;", "await S; emit O") +
           module("M", "constant S : integer; input I; output O;", "run Both [signal I / S]"),
       "note `run Both`: the copy does not write it out: Both uses S for more than one thing\n"},
  };
  for (const Case& c : cases) {
    const std::vector<FileReport> reports = check_sources({c.program}, 1);
    EXPECT_EQ(c.findings, run_findings(reports.front())) << c.program;
  }
}

// A chain of modules, each running the next one written after it, is written out up to the
// nesting limit.
TEST(CheckerRuns, RunsNestAtMost256Deep) {
  for (const int depth : {255, 258}) {
    std::string program;
    for (int i = depth; i >= 1; --i) {
      program +=
          module("M" + std::to_string(i), "input S; output O;", "run M" + std::to_string(i - 1));
    }
    program += module("M0", "input S; output O;", "await S; emit O");
    const std::string findings = run_findings(check_sources({program}, 1).front());
    const bool limited = findings.find("runs nest more than 256 deep") != std::string::npos;
    EXPECT_EQ(depth > 256, limited) << depth;
  }
}

}  // namespace
