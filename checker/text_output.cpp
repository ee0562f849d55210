#include "text_output.h"

namespace {

void write_place(std::ostream& out, const CheckedFile& file, Span span, ColumnStyle columns) {
  const LineColumn at = file.lines.at(file.source, span.begin, columns);
  out << file.name << ':' << at.line << ':' << at.column << ": ";
}

}  // namespace

std::string verdict_line(const CheckedFile& file, ColumnStyle columns) {
  const std::string head = file.name + ": verdict: ";
  switch (file.report.verdict) {
    case Verdict::Translates:
      return head + "translates";
    case Verdict::TranslatesOnceRewritten:
      return head + "translates once rewritten";
    case Verdict::CannotRead:
      return head + "cannot be read by morvac";
    case Verdict::Stops: {
      const LineColumn at = file.lines.at(file.source, file.report.stop_at.begin, columns);
      return head + "stops at line " + std::to_string(at.line) + ", column " +
             std::to_string(at.column) + ": " + file.report.stop_message;
    }
  }
  return head;
}

void write_text(std::ostream& out, const CheckedFile& file, ColumnStyle columns) {
  for (const Finding& finding : file.report.findings) {
    write_place(out, file, finding.span, columns);
    out << level_name(finding.level) << ": " << finding.message << " [" << finding.rule << "]\n";
    for (const Note& note : finding.notes) {
      write_place(out, file, note.span, columns);
      out << "note: " << note.message << '\n';
    }
  }
  out << verdict_line(file, columns) << '\n';
}

void write_summary(std::ostream& out, const int (&verdicts)[4]) {
  const int files = verdicts[0] + verdicts[1] + verdicts[2] + verdicts[3];
  out << files << (files == 1 ? " file: " : " files: ")
      << verdicts[static_cast<int>(Verdict::Translates)] << " translate, "
      << verdicts[static_cast<int>(Verdict::TranslatesOnceRewritten)]
      << " translate once rewritten, " << verdicts[static_cast<int>(Verdict::Stops)] << " stop, "
      << verdicts[static_cast<int>(Verdict::CannotRead)] << " cannot be read by morvac\n";
}
