#include "check_file.h"

#include <cstdio>

#include "esterel_parser.h"
#include "lexical_message.h"
#include "morvac_reading.h"
#include "morvac_rules.h"
#include "morvac_run.h"
#include "reading_differences.h"
#include "refusal_walk.h"

using esterel::EsterelScan;
using esterel::LexError;
using esterel::LexProblem;
using esterel::Token;

namespace {

void add_lexical_findings(std::string_view source, const EsterelScan& scan,
                          std::vector<Finding>& out) {
  for (const LexError& error : scan.errors) {
    out.push_back(Finding{error.span, Level::Error, "lexical-error",
                          esterel::lexical_message(source, error), {}});
  }
  for (const Span& comment : scan.comments) {
    out.push_back(Finding{comment,
                          Level::Warning,
                          "comment",
                          "comment: morvac has no comments and would read its words; the copy "
                          "blanks it",
                          {}});
  }
}

void add_reading_findings(const ReadingComparison& reading, const Copy& copy,
                          std::vector<Finding>& out) {
  for (const CopyEdit& edit : copy.edits) {
    out.push_back(Finding{Span{edit.source_begin, edit.source_end},
                          Level::Warning,
                          "assign",
                          "`:=`: morvac reads `assign`; the copy writes it so",
                          {}});
  }
  for (const ReadingDifference& difference : reading.differences) {
    if (difference.message.empty()) continue;
    out.push_back(Finding{difference.span, Level::Error, difference.rule, difference.message, {}});
  }
}

const char* refusal_rule(Refusal construct) {
  switch (refusal_kind(construct)) {
    case RefusalKind::Skip:
      return "skipped-declaration";
    case RefusalKind::WithoutText:
      return "without-quarl-text";
    default:
      return "refused-construct";
  }
}

// One finding per event.
void add_refusal_findings(const std::vector<RefusalEvent>& events, std::vector<Finding>& out) {
  for (const RefusalEvent& event : events) {
    const bool skip = refusal_kind(event.construct) == RefusalKind::Skip;
    out.push_back(Finding{event.span,
                          skip ? Level::Warning : Level::Error,
                          refusal_rule(event.construct),
                          refusal_message(event.construct),
                          {}});
  }
}

std::vector<std::string> predicted_messages(const std::vector<RefusalEvent>& events) {
  std::vector<std::string> messages;
  for (const RefusalEvent& event : events) {
    messages.emplace_back(refusal_message(event.construct));
    if (refusal_kind(event.construct) != RefusalKind::Skip) break;
  }
  return messages;
}

struct Prediction {
  const esterel::Parse* parse;
  const std::vector<RefusalEvent>* events;
  bool uses_extension;  // a form that morvac's grammar lacks, read from morvac's tokens
};

// Compares what the checker predicts with what morvac did, and places the verdict.
void settle_verdict(const MorvacRun& run, const Prediction& prediction,
                    const std::vector<Token>& morvac_tokens, FileReport& report) {
  const RefusalEvent* first = first_stop(*prediction.events);
  const bool clean = prediction.parse->errors.empty() && !prediction.uses_extension;
  auto inconsistent = [&](Span at, const std::string& what) {
    report.inconsistencies.push_back(what);
    report.findings.push_back(Finding{
        at, Level::Error, "internal", "internal: " + what + "; please report this program", {}});
  };
  switch (run.outcome) {
    case MorvacOutcome::Translates:
      report.verdict =
          report.copy.rewritten ? Verdict::TranslatesOnceRewritten : Verdict::Translates;
      if (!clean || first != nullptr || predicted_messages(*prediction.events) != run.messages) {
        inconsistent(Span{}, "morvac translates the copy, unlike the checker's prediction");
      }
      return;
    case MorvacOutcome::Stops: {
      report.verdict = Verdict::Stops;
      report.stop_message = run.stop_message;
      const std::size_t last = run.tokens_read > 0 ? run.tokens_read - 1 : 0;
      report.stop_at = morvac_tokens[std::min(last, morvac_tokens.size() - 1)].span;
      if (first == nullptr || run.stop_message != refusal_message(first->construct) ||
          predicted_messages(*prediction.events) != run.messages) {
        inconsistent(report.stop_at, "morvac stops with \"" + run.stop_message +
                                         "\", not where the checker predicts");
        return;
      }
      // morvac refuses when it reduces: the construct that refuses ends with the last token read,
      // or with the one before when that last token was the look-ahead. A construct refused at
      // its keyword has just read it.
      const Span trigger = first->trigger;
      const bool at_keyword = refusal_kind(first->construct) == RefusalKind::StopAtKeyword;
      const auto read = [&](std::size_t back) {
        return back <= last ? morvac_tokens[std::min(last - back, morvac_tokens.size() - 1)].span
                            : Span{};
      };
      const bool placed = at_keyword
                              ? trigger.begin == read(0).begin || trigger.begin == read(1).begin
                              : trigger.end == read(0).end || trigger.end == read(1).end;
      if (run.tokens_read == 0 || !placed) {
        inconsistent(report.stop_at, "morvac stops with \"" + run.stop_message +
                                         "\" at another place than the checker predicts");
        return;
      }
      report.stop_at = first->span;
      for (Finding& finding : report.findings) {
        if (finding.span.begin == report.stop_at.begin && finding.message == run.stop_message &&
            finding.level == Level::Error) {
          finding.notes.push_back(Note{report.stop_at, "morvac stops here: the first it meets"});
          return;
        }
      }
      report.findings.push_back(
          Finding{report.stop_at,
                  Level::Note,
                  "first-stop",
                  "morvac, reading the copy, stops here first: " + run.stop_message,
                  {}});
      return;
    }
    case MorvacOutcome::CannotRead: {
      report.verdict = Verdict::CannotRead;
      std::size_t at = run.tokens_read;
      if (at > 0 && run.syntax_error.find("unexpected $end") == std::string::npos) --at;
      const Span where = morvac_tokens[std::min(at, morvac_tokens.size() - 1)].span;
      report.findings.push_back(
          Finding{where,
                  Level::Note,
                  "morvac-syntax-error",
                  "morvac cannot read the copy from here: " + run.syntax_error,
                  {}});
      // Running out of stack is a limit of morvac's parser (1000 entries), not of the language.
      const bool exhausted = run.syntax_error == "memory exhausted";
      // The checker's grammar is morvac's with more forms: on morvac's tokens its first syntax
      // error is morvac's, unless one of those forms was read first.
      const bool same_error = !prediction.parse->errors.empty() &&
                              prediction.parse->errors.front().span.begin == where.begin;
      if (!exhausted && !prediction.uses_extension && !same_error) {
        inconsistent(where, "morvac cannot read the copy where the checker reads it");
      }
      return;
    }
  }
}

}  // namespace

FileReport check_source(std::string_view source) {
  FileReport report;
  const EsterelScan scan = esterel::scan_esterel(source);
  const esterel::Parse parse = esterel::parse_esterel(source, scan.tokens);
  const std::vector<RefusalEvent> events = walk_refusals(parse.tree, source);
  report.copy = make_copy(source, scan);
  const std::vector<Token> morvac_tokens = read_as_morvac(report.copy);
  const ReadingComparison reading = compare_readings(source, scan.tokens, morvac_tokens);

  add_lexical_findings(source, scan, report.findings);
  const bool unclosed_comment =
      !scan.errors.empty() && scan.errors.back().problem == LexProblem::UnclosedComment;
  for (const esterel::SyntaxError& error : parse.errors) {
    // An unclosed comment block hides the rest of the file: its end is no second mistake.
    if (unclosed_comment && error.span.begin == source.size()) continue;
    report.findings.push_back(Finding{error.span, Level::Error, "syntax-error", error.message, {}});
  }
  add_reading_findings(reading, report.copy, report.findings);
  add_refusal_findings(events, report.findings);

  // The prediction is made on what morvac reads: the source's own tokens when they agree.
  esterel::Parse reread;
  std::vector<RefusalEvent> reread_events;
  Prediction prediction{&parse, &events, false};
  if (reading.differs) {
    reread = esterel::parse_esterel(source, morvac_tokens);
    reread_events = walk_refusals(reread.tree, source);
    prediction = Prediction{&reread, &reread_events, false};
  }
  prediction.uses_extension = uses_extension(prediction.parse->tree, source);
  settle_verdict(run_morvac(report.copy.text), prediction, morvac_tokens, report);
  sort_findings(report.findings);
  return report;
}
