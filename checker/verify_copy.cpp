#include "verify_copy.h"

#include <algorithm>
#include <random>
#include <unordered_map>
#include <utility>
#include <vector>

#include "program_files.h"
#include "simulator.h"

using sim::KernelProgram;
using sim::Reaction;
using sim::ReactionError;
using sim::SignalId;
using sim::SignalKind;

namespace {

// The names of a reaction's outputs, in the program's order of ids (the same names in both).
std::vector<std::string> output_names(const KernelProgram& program, const Reaction& reaction) {
  std::vector<std::string> names;
  names.reserve(reaction.emitted.size());
  for (const SignalId s : reaction.emitted) names.push_back(program.signals[s].name);
  std::sort(names.begin(), names.end());
  return names;
}

std::string listed(const std::vector<std::string>& names) {
  if (names.empty()) return "nothing";
  std::string out;
  for (const std::string& name : names) out += (out.empty() ? "" : " ") + name;
  return out;
}

// What an instant did, in words: its outputs, or the error that stopped it.
std::string what_happened(const KernelProgram& program, const Reaction& reaction) {
  if (reaction.error.kind != ReactionError::Kind::None)
    return sim::describe(program, reaction.error);
  return "emits " + listed(output_names(program, reaction)) +
         (reaction.terminated ? " and terminates" : "");
}

bool same(const KernelProgram& a, const Reaction& x, const KernelProgram& b, const Reaction& y) {
  if (x.error.kind != y.error.kind) return false;
  if (x.error.kind != ReactionError::Kind::None) return true;
  return x.terminated == y.terminated && output_names(a, x) == output_names(b, y);
}

}  // namespace

Verification verify_copy(const std::string& name, const std::string& source,
                         const std::string& copy, std::size_t traces, std::size_t instants,
                         std::uint64_t seed,
                         const std::vector<std::pair<std::string, std::string>>& others) {
  // The program's file alone, or after the others when it runs their modules: unrelated files
  // checked together may hold modules of one name. Its last module is the one run.
  const auto read = [&](const std::string& text, const std::string& main_module) {
    sim::ProgramFiles alone = sim::read_program_files({{name, text}}, main_module);
    if (alone.program || others.empty()) return alone;
    std::vector<std::pair<std::string, std::string>> files = others;
    files.emplace_back(name, text);
    sim::ProgramFiles with_others = sim::read_program_files(files, main_module);
    return with_others.program ? std::move(with_others) : std::move(alone);
  };
  const sim::ProgramFiles original = read(source, "");
  if (!original.program) {
    const std::string why =
        original.diagnostics.empty() ? "" : ": " + original.diagnostics.front().message;
    return {Verification::Outcome::NotRun,
            "not verified: morvac-sim does not run the program" + why};
  }
  const sim::ProgramFiles copied = read(copy, original.module);
  if (!copied.program) {
    const std::string why =
        copied.diagnostics.empty() ? "" : ": " + copied.diagnostics.front().message;
    return {Verification::Outcome::Differs,
            "the copy is not the program: morvac-sim does not run the copy" + why};
  }
  const KernelProgram& program = *original.program;
  const KernelProgram& other = *copied.program;
  std::vector<SignalId> inputs;
  std::unordered_map<std::string, SignalId> other_ids;
  for (SignalId s = 0; s < other.signals.size(); ++s) {
    if (other.signals[s].kind != SignalKind::Local) other_ids.emplace(other.signals[s].name, s);
  }
  for (SignalId s = 0; s < program.signals.size(); ++s) {
    const SignalKind kind = program.signals[s].kind;
    if (kind == SignalKind::Input || kind == SignalKind::InputOutput) inputs.push_back(s);
  }
  std::mt19937_64 random(seed);
  sim::Simulator left(program);
  sim::Simulator right(other);
  std::vector<SignalId> present;
  std::vector<SignalId> present_there;
  for (std::size_t trace = 1; trace <= traces; ++trace) {
    left.reset();
    right.reset();
    for (std::size_t instant = 1; instant <= instants; ++instant) {
      // Inputs drawn until they respect the relations; none at all always does.
      Reaction first;
      for (int attempt = 0;; ++attempt) {
        present.clear();
        if (attempt < 8) {
          for (const SignalId s : inputs) {
            if ((random() & 1U) != 0) present.push_back(s);
          }
        }
        first = left.react(present);
        if (first.error.kind != ReactionError::Kind::InputRelation) break;
      }
      present_there.clear();
      std::vector<std::string> given;
      for (const SignalId s : present) {
        given.push_back(program.signals[s].name);
        const auto found = other_ids.find(program.signals[s].name);
        if (found != other_ids.end()) present_there.push_back(found->second);
      }
      const Reaction& second = right.react(present_there);
      if (!same(program, first, other, second)) {
        return {Verification::Outcome::Differs,
                "the copy behaves otherwise than the program: on trace " + std::to_string(trace) +
                    ", instant " + std::to_string(instant) + ", inputs " + listed(given) +
                    ": the program " + what_happened(program, first) + ", the copy " +
                    what_happened(other, second)};
      }
      if (first.error.kind != ReactionError::Kind::None || first.terminated) break;
    }
  }
  return {Verification::Outcome::Verified, "verified on " + std::to_string(traces) + " traces of " +
                                               std::to_string(instants) +
                                               " instants: the copy emits what the program emits"};
}
