#include "program_files.h"

#include "esterel_parser.h"
#include "lexical_message.h"
#include "simulator.h"

namespace sim {

ProgramFiles read_program_files(const std::vector<std::pair<std::string, std::string>>& files,
                                const std::string& main_module) {
  ProgramFiles out;
  for (const auto& [name, text] : files) {
    const auto file = static_cast<std::uint32_t>(out.files.size());
    const esterel::EsterelScan scan = esterel::scan_esterel(text);
    for (const esterel::LexError& e : scan.errors) {
      out.diagnostics.push_back(Diagnostic{file, e.span, false, esterel::lexical_message(text, e)});
    }
    const bool unclosed_comment =
        !scan.errors.empty() && scan.errors.back().problem == esterel::LexProblem::UnclosedComment;
    esterel::Parse parse = esterel::parse_esterel(text, scan.tokens);
    for (const esterel::SyntaxError& e : parse.errors) {
      // An unclosed comment block hides the rest of the file: its end is no second mistake.
      if (unclosed_comment && e.span.begin == text.size()) continue;
      out.diagnostics.push_back(Diagnostic{file, e.span, false, e.message});
    }
    out.files.push_back(SourceFile{name, text, std::move(parse)});
    out.lines.emplace_back(out.files.back().text);
  }
  if (!out.diagnostics.empty()) return out;
  Elaboration elaboration = elaborate(out.files, main_module);
  out.module = std::move(elaboration.module);
  out.program = std::move(elaboration.program);
  out.diagnostics = std::move(elaboration.diagnostics);
  return out;
}

std::string format_diagnostic(const ProgramFiles& program, const Diagnostic& d) {
  const std::string level = d.note ? "note: " : "error: ";
  if (d.file == kNone) return "morvac-sim: " + level + d.message;
  const LineColumn at = program.lines[d.file].at(d.span.begin);
  return program.files[d.file].name + ":" + std::to_string(at.line) + ":" +
         std::to_string(at.column) + ": " + level + d.message;
}

Diagnostic diagnostic_of(const KernelProgram& program, const ReactionError& error) {
  return Diagnostic{error.range.file, esterel::Span{error.range.begin, error.range.end}, false,
                    describe(program, error)};
}

}  // namespace sim
