#include "trace_runs.h"

#include <algorithm>
#include <sstream>
#include <vector>

#include "program_files.h"
#include "simulator.h"

using namespace sim;

std::optional<KernelProgram> read_program(const std::string& text, std::string* problem) {
  ProgramFiles files = read_program_files({{"test.strl", text}}, "");
  *problem = files.diagnostics.empty() ? "" : files.diagnostics[0].message;
  return std::move(files.program);
}

std::string run_trace(const std::string& program_text, const std::string& inputs) {
  std::string problem;
  const std::optional<KernelProgram> program = read_program(program_text, &problem);
  if (!program) return "!program " + problem;
  Simulator simulator(*program);
  std::string out;
  std::size_t from = 0;
  for (bool first = true; from <= inputs.size(); first = false) {
    std::size_t end = inputs.find(';', from);
    if (end == std::string::npos) end = inputs.size();
    std::vector<SignalId> present;
    std::istringstream names(inputs.substr(from, end - from));
    for (std::string name; names >> name;) {
      SignalId s = 0;
      while (s < program->signals.size() && program->signals[s].name != name) ++s;
      if (s == program->signals.size()) {
        return out.append(first ? "" : ";").append("!unknown ") + name;
      }
      present.push_back(s);
    }
    from = end + 1;
    const Reaction& r = simulator.react(present);
    std::vector<std::string> said;
    for (const SignalId s : r.emitted) said.push_back(program->signals[s].name);
    static const char* const kErrors[] = {"", "!cycle@", "!loop@", "!relation@"};
    if (r.error.kind != ReactionError::Kind::None) {
      said.assign(
          1, kErrors[static_cast<int>(r.error.kind)] + std::to_string(r.error.range.begin + 1));
      for (const SignalId s : r.error.signals) said.push_back(program->signals[s].name);
      std::sort(said.begin() + 1, said.end());
    } else {
      std::sort(said.begin(), said.end());
      if (r.terminated) said.emplace_back("*");
    }
    std::string instant;
    for (const std::string& word : said) instant += (instant.empty() ? "" : " ") + word;
    out += (first ? "" : ";") + instant;
  }
  return out;
}
