#include "text_output.h"

namespace {

void write_place(std::ostream& out, std::string_view name, const LineIndex& lines, Span span) {
  const LineColumn at = lines.at(span.begin);
  out << name << ':' << at.line << ':' << at.column << ": ";
}

}  // namespace

std::string verdict_line(std::string_view name, const LineIndex& lines, const FileReport& report) {
  std::string line(name);
  switch (report.verdict) {
    case Verdict::Translates:
      return line + ": translates";
    case Verdict::TranslatesOnceRewritten:
      return line + ": translates once rewritten";
    case Verdict::CannotRead:
      return line + ": cannot be read by morvac";
    case Verdict::Stops: {
      const LineColumn at = lines.at(report.stop_at.begin);
      return line + ": stops at " + std::to_string(at.line) + ":" + std::to_string(at.column) +
             ": " + report.stop_message;
    }
  }
  return line;
}

void write_text(std::ostream& out, std::string_view name, const LineIndex& lines,
                const FileReport& report) {
  for (const Finding& finding : report.findings) {
    write_place(out, name, lines, finding.span);
    out << level_name(finding.level) << ": " << finding.message << " [" << finding.rule << "]\n";
    for (const Note& note : finding.notes) {
      write_place(out, name, lines, note.span);
      out << "note: " << note.message << '\n';
    }
  }
  out << verdict_line(name, lines, report) << '\n';
}

void write_summary(std::ostream& out, const int (&verdicts)[4]) {
  const int files = verdicts[0] + verdicts[1] + verdicts[2] + verdicts[3];
  out << files << (files == 1 ? " file: " : " files: ")
      << verdicts[static_cast<int>(Verdict::Translates)] << " translate, "
      << verdicts[static_cast<int>(Verdict::TranslatesOnceRewritten)]
      << " translate once rewritten, " << verdicts[static_cast<int>(Verdict::Stops)] << " stop, "
      << verdicts[static_cast<int>(Verdict::CannotRead)] << " cannot be read by morvac\n";
}
