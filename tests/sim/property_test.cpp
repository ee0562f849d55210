// Property tests on random programs: the engine against the logical semantics (oracle.h), and
// each derived statement against its definition as the language's reference gives it
// (derived.tsv).
#include <gtest/gtest.h>

#include <functional>
#include <regex>

#include "case_table.h"
#include "oracle.h"
#include "random_programs.h"
#include "simulator.h"
#include "trace_runs.h"

using namespace sim;

namespace {

std::string trace_text(const std::vector<std::vector<std::string>>& trace) {
  std::string text;
  for (std::size_t i = 0; i < trace.size(); ++i) {
    text += i == 0 ? "" : ";";
    for (std::size_t k = 0; k < trace[i].size(); ++k) text += (k == 0 ? "" : " ") + trace[i][k];
  }
  return text;
}

struct Tally {
  int instants = 0;
  int accepted = 0;
};

// Runs the program through the simulator and the oracle; returns where they disagree, or "".
// An instant that the simulator accepts must have one logical reaction, the same; one that it
// refuses ends the comparison, and must have no other than one if `constructive`.
std::string against_oracle(const std::string& text,
                           const std::vector<std::vector<std::string>>& trace, bool constructive,
                           Tally* tally) {
  std::string problem;
  const std::optional<KernelProgram> program = read_program(text, &problem);
  if (!program) return problem;
  Simulator simulator(*program);
  Oracle oracle(*program);
  for (std::size_t i = 0; i < trace.size(); ++i) {
    const std::string at = "instant " + std::to_string(i + 1) + " of " + trace_text(trace) + ": ";
    std::vector<SignalId> present;
    for (const std::string& name : trace[i]) {
      for (SignalId s = 0; s < program->signals.size(); ++s) {
        if (program->signals[s].name == name) present.push_back(s);
      }
    }
    bool gave_up = false;
    const std::vector<Oracle::Solution> logical = oracle.reactions(present, &gave_up);
    if (gave_up) return "";
    const Reaction& r = simulator.react(present);
    ++tally->instants;
    if (r.error.kind != ReactionError::Kind::None) {
      if (constructive) return at + "refused: " + describe(*program, r.error);
      return "";
    }
    ++tally->accepted;
    if (logical.size() != 1) {
      return at + "accepted with " + std::to_string(logical.size()) + " logical reactions";
    }
    if (logical[0].emitted != r.emitted || (logical[0].rest == nullptr) != r.terminated) {
      return at + "emitted or terminated otherwise than the logical reaction";
    }
    oracle.go_on(logical[0]);
  }
  return "";
}

TEST(SimSemantics, AgreesWithTheLogicalSemanticsOnProgramsWithoutCycles) {
  RandomPrograms random(1, false);
  Tally tally;
  for (int i = 0; i < 500; ++i) {
    const std::string text = RandomPrograms::module(random.statement(5));
    ASSERT_EQ(against_oracle(text, random.trace(20), true, &tally), "") << text;
  }
  EXPECT_EQ(tally.accepted, 500 * 20);
}

TEST(SimSemantics, AgreesWithTheLogicalSemanticsOnProgramsWithCycles) {
  RandomPrograms random(2, true, true);
  Tally tally;
  for (int i = 0; i < 1500; ++i) {
    const std::string text = RandomPrograms::module(random.statement(4));
    ASSERT_EQ(against_oracle(text, random.trace(12), false, &tally), "") << text;
  }
  // Most instants are constructive: a simulator that refused them all would fail here.
  EXPECT_GT(tally.accepted * 10, tally.instants * 7) << tally.accepted << " of " << tally.instants;
}

// Both texts of a row, with the same random parts, on the same random traces: "agree", or the
// first difference.
CaseFields agree(const CaseFields& args) {
  const std::string both = args[0] + '\n' + args[1];
  const std::regex columns("@[0-9]+");
  for (unsigned run = 0; run < 150; ++run) {
    RandomPrograms random(static_cast<unsigned>(std::hash<std::string>()(both)) + run, false);
    const std::string texts = random.instantiate(both, 3);
    std::string left = RandomPrograms::module(texts.substr(0, texts.find('\n')));
    const std::string right = RandomPrograms::module(texts.substr(texts.find('\n') + 1));
    const std::string inputs = trace_text(random.trace(25));
    const std::string left_says = std::regex_replace(run_trace(left, inputs), columns, "");
    const std::string right_says = std::regex_replace(run_trace(right, inputs), columns, "");
    if (left_says != right_says) {
      left.append(" on ").append(inputs).append(" gives ").append(left_says);
      return {left.append(", ").append(right).append(" gives ").append(right_says)};
    }
  }
  return {"agree"};
}

TEST(SimDerived, EachStatementAgreesWithItsDefinition) {
  expect_cases(TABLE_DIR "/derived.tsv", {{"agree", agree}});
}

}  // namespace
