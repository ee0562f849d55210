#include "terminal.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

#include "simulator.h"

namespace sim {

namespace {

bool blank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// Writes a message about column `column` of line `line` of standard input.
void input_error(std::ostream& err, std::uint64_t line, std::size_t column,
                 const std::string& message) {
  err << "-:" << line << ':' << column << ": error: " << message << '\n';
}

}  // namespace

int run_in_terminal(const ProgramFiles& program, std::istream& in, std::ostream& out,
                    std::ostream& err) {
  const KernelProgram& kernel = *program.program;
  std::unordered_map<std::string, SignalId> by_name;
  for (SignalId s = 0; s < kernel.signals.size(); ++s) {
    if (kernel.signals[s].kind != SignalKind::Local) by_name.emplace(kernel.signals[s].name, s);
  }
  // The names of the outputs in the order they are written.
  std::vector<SignalId> sorted;
  Simulator simulator(kernel);
  std::vector<SignalId> present;
  std::vector<std::size_t> columns;  // of each input present, in the line
  std::string line;
  for (std::uint64_t number = 1;; ++number) {
    // Whoever reads the outputs as they come sees each before the next line is awaited.
    if (in.rdbuf()->in_avail() <= 0) out.flush();
    if (!std::getline(in, line)) break;
    present.clear();
    columns.clear();
    for (std::size_t i = 0; i < line.size();) {
      if (blank(line[i])) {
        ++i;
        continue;
      }
      std::size_t end = i;
      while (end < line.size() && !blank(line[end])) ++end;
      const std::string name = line.substr(i, end - i);
      const auto found = by_name.find(name);
      if (found == by_name.end()) {
        input_error(err, number, i + 1, "no input named " + name);
        return 2;
      }
      const SignalKind kind = kernel.signals[found->second].kind;
      if (kind == SignalKind::Output) {
        input_error(err, number, i + 1, name + " is an output, not an input");
        return 2;
      }
      present.push_back(found->second);
      columns.push_back(i + 1);
      i = end;
    }
    const Reaction& r = simulator.react(present);
    if (r.error.kind == ReactionError::Kind::InputRelation) {
      // At the first input of the line that takes part.
      std::size_t column = line.size();
      for (std::size_t i = 0; i < present.size(); ++i) {
        const auto& involved = r.error.signals;
        if (std::find(involved.begin(), involved.end(), present[i]) != involved.end()) {
          column = std::min(column, columns[i]);
        }
      }
      input_error(err, number, column, describe(kernel, r.error));
      Diagnostic where = diagnostic_of(kernel, r.error);
      where.note = true;
      where.message = "the relation is declared here";
      err << format_diagnostic(program, where) << '\n';
      return 2;
    }
    if (r.error.kind != ReactionError::Kind::None) {
      out.flush();
      err << format_diagnostic(program, diagnostic_of(kernel, r.error)) << '\n';
      return 1;
    }
    sorted = r.emitted;
    std::sort(sorted.begin(), sorted.end(), [&](SignalId a, SignalId b) {
      return kernel.signals[a].name < kernel.signals[b].name;
    });
    for (std::size_t i = 0; i < sorted.size(); ++i) {
      if (i > 0) out << ' ';
      out << kernel.signals[sorted[i]].name;
    }
    out << '\n';
  }
  out.flush();
  return 0;
}

}  // namespace sim
