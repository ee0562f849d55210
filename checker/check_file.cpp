#include "check_file.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <memory>
#include <unordered_map>
#include <unordered_set>

#include "esterel_parser.h"
#include "lexical_message.h"
#include "morvac_reading.h"
#include "morvac_rules.h"
#include "morvac_run.h"
#include "reading_differences.h"
#include "refusal_walk.h"
#include "run_rewrite.h"
#include "spelling_rewrite.h"
#include "statement_rewrite.h"

using esterel::EsterelScan;
using esterel::LexError;
using esterel::LexProblem;
using esterel::Token;

namespace {

// What a character that is no text is, in words ("a no-break space"), and in the plural.
struct NoTextKind {
  std::string_view bytes;  // its UTF-8 bytes, or empty for the kinds below
  const char* one;
  const char* many;
};

constexpr NoTextKind kNoTextKinds[] = {
    {"\xEF\xBB\xBF", "a byte-order mark", "byte-order marks"},
    {"\xC2\xA0", "a no-break space", "no-break spaces"},
    {std::string_view("\0", 1), "a NUL", "NULs"},
    {"", "a control character", "control characters"},
    {"", "a character that is not ASCII", "characters that are not ASCII"},
};

std::size_t no_text_kind(std::string_view text) {
  for (std::size_t i = 0; i < 3; ++i) {
    if (text == kNoTextKinds[i].bytes) return i;
  }
  return static_cast<unsigned char>(text[0]) < 0x80 ? 3 : 4;
}

// One warning a file for the characters that morvac skips as blanks: how many of each kind, and
// where the first is.
void add_no_text_finding(std::string_view source, const std::vector<Span>& no_text,
                         std::vector<Finding>& out) {
  if (no_text.empty()) return;
  std::size_t counts[std::size(kNoTextKinds)] = {};
  for (const Span& character : no_text) {
    ++counts[no_text_kind(source.substr(character.begin, character.end - character.begin))];
  }
  std::string kinds;
  for (std::size_t i = 0; i < std::size(kNoTextKinds); ++i) {
    if (counts[i] == 0) continue;
    if (!kinds.empty()) kinds += ", ";
    kinds += counts[i] == 1 ? kNoTextKinds[i].one
                            : std::to_string(counts[i]) + " " + kNoTextKinds[i].many;
  }
  const std::size_t count = no_text.size();
  out.push_back(Finding{no_text.front(),
                        Level::Warning,
                        "skipped-bytes",
                        std::to_string(count) + (count == 1 ? " character" : " characters") +
                            " that no Esterel text holds (" + kinds +
                            (count == 1 ? "): morvac skips it as a blank"
                                        : "): morvac skips them as blanks; the first is here"),
                        {}});
}

void add_lexical_findings(std::string_view source, const EsterelScan& scan,
                          std::vector<Finding>& out) {
  for (const LexError& error : scan.errors) {
    const std::string_view text =
        source.substr(error.span.begin, error.span.end - error.span.begin);
    if (error.problem == LexProblem::StrayCharacters) {
      out.push_back(Finding{
          error.span,
          Level::Warning,
          "stray-character",
          esterel::shown_bytes(text) + " starts no Esterel token: morvac skips it as a blank",
          {}});
      continue;
    }
    out.push_back(Finding{
        error.span, Level::Error, "lexical-error", esterel::lexical_message(source, error), {}});
  }
  add_no_text_finding(source, scan.no_text, out);
}

// What the warning of each kind of edit says (by EditReason): the copy mends what it says.
struct EditText {
  const char* rule;
  const char* message;
};

constexpr EditText kEditTexts[] = {
    {"comment",
     "comment: morvac has no comments and would read its words; the "
     "copy blanks it"},
    {"preprocessor-line",
     "line of the C preprocessor: morvac would read its words; the copy "
     "blanks it"},
    {"assign", "`:=`: morvac reads `assign`; the copy writes it so"},
    {"not-equal", "`<>`: morvac reads `<` and `>`; it has `!=`, which the copy writes"},
    {"implies-arrow",
     "`=>`: morvac reads `=` and `>`; it has `implies`, which the copy "
     "writes"},
    {"elsif",
     "`elsif`: morvac reads a name; it has `elseif`, which the copy "
     "writes"},
    {"minus-number",
     "`-` before digits: morvac reads it as the sign of one number, "
     "not as a subtraction; the copy writes a blank after it"},
    {"incompatibility",
     "relation with `#` (incompatible signals): morvac cannot read it "
     "and skips every relation anyway; the copy blanks it"},
    {"derived-statement", ""},  // one warning a statement: add_rewrite_findings
};
static_assert(std::size(kEditTexts) == static_cast<std::size_t>(EditReason::Derived) + 1,
              "a text for every kind of edit");

// One warning for each edit of the copy, which says what the copy writes.
void add_edit_findings(const Copy& copy, std::vector<Finding>& out) {
  for (const CopyEdit& edit : copy.edits) {
    if (edit.reason == EditReason::Derived) continue;
    const EditText& text = kEditTexts[static_cast<std::size_t>(edit.reason)];
    out.push_back(Finding{edit.source, Level::Warning, text.rule, text.message, {}});
  }
}

void add_rewrite_findings(const std::vector<StatementRewrite>& rewrites,
                          std::vector<Finding>& out) {
  for (const StatementRewrite& rewrite : rewrites) {
    if (rewrite.form.empty()) continue;  // the declarations that runs add: said at the first run
    const bool run = std::string_view(rewrite.rule) == "module-instance";
    out.push_back(Finding{rewrite.statement,
                          Level::Warning,
                          rewrite.rule,
                          rewrite.form + ": morvac refuses it; the copy writes " +
                              (run ? "" : "it as Esterel defines it, ") + rewrite.definition,
                          {}});
  }
}

// A difference of readings is an error where morvac cannot read what it reads there (the reading
// of morvac's tokens fails in it or at the token right after it), a warning elsewhere: morvac
// reads on, but something else than what is written.
void add_reading_findings(const ReadingComparison& reading, const std::vector<Token>& morvac,
                          const esterel::Parse& morvac_parse, std::vector<Finding>& out) {
  for (const ReadingDifference& difference : reading.differences) {
    if (difference.message.empty()) continue;
    const auto after = std::lower_bound(
        morvac.begin(), morvac.end(), difference.span.end,
        [](const Token& token, std::uint32_t at) { return token.span.begin < at; });
    const std::uint32_t limit = after == morvac.end() ? difference.span.end : after->span.end;
    const bool blocks =
        difference.never_read || std::any_of(morvac_parse.errors.begin(), morvac_parse.errors.end(),
                                             [&](const esterel::SyntaxError& error) {
                                               return error.found.begin >= difference.span.begin &&
                                                      error.found.begin <= limit;
                                             });
    out.push_back(Finding{difference.span,
                          blocks ? Level::Error : Level::Warning,
                          difference.rule,
                          difference.message,
                          {}});
  }
}

// A syntax error of Esterel's reading inside text that morvac reads otherwise, and reads on
// (morvac's reading has no error there), does not keep the file from becoming Quarl.
void soften_syntax_errors(const ReadingComparison& reading, const esterel::Parse& morvac_parse,
                          std::vector<Finding>& findings) {
  for (Finding& finding : findings) {
    if (finding.level != Level::Error || std::string_view(finding.rule) != "syntax-error") continue;
    const auto inside = [&](Span span) {
      return span.begin <= finding.span.begin && finding.span.begin < span.end;
    };
    const bool read_on =
        std::any_of(reading.differences.begin(), reading.differences.end(),
                    [&](const ReadingDifference& difference) {
                      return !difference.never_read && inside(difference.span) &&
                             std::none_of(morvac_parse.errors.begin(), morvac_parse.errors.end(),
                                          [&](const esterel::SyntaxError& error) {
                                            return error.found.begin >= difference.span.begin &&
                                                   error.found.begin <= difference.span.end;
                                          });
                    });
    if (!read_on) continue;
    finding.level = Level::Warning;
    finding.message += " (morvac reads this text otherwise, and reads on)";
  }
}

void add_combine_findings(const esterel::Tree& tree, std::string_view source,
                          std::vector<Finding>& out) {
  for (const Span& function : combine_operators(tree, source)) {
    out.push_back(Finding{
        function,
        Level::Error,
        "combine-operator",
        "combine function " +
            esterel::shown_bytes(source.substr(function.begin, function.end - function.begin)) +
            ": morvac has none written so (it takes a function's name, `or` "
            "or `and`) and cannot read the declaration",
        {}});
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

// The relations that the copy blanks, in source order.
std::vector<Span> blanked_relations(const Copy& copy) {
  std::vector<Span> relations;
  for (const CopyEdit& edit : copy.edits) {
    if (edit.reason == EditReason::Incompatibility) relations.push_back(edit.source);
  }
  return relations;
}

// One finding per event, but for the skips of relations that the copy blanks (morvac no longer
// meets them; the copy's own warning says why).
void add_refusal_findings(const std::vector<RefusalEvent>& events, const std::vector<Span>& blanked,
                          std::vector<Finding>& out) {
  for (const RefusalEvent& event : events) {
    if (std::any_of(blanked.begin(), blanked.end(),
                    [&](const Span& s) { return s.begin == event.span.begin; })) {
      continue;
    }
    const bool skip = refusal_kind(event.construct) == RefusalKind::Skip;
    std::string message = refusal_message(event.construct);
    if (event.once_rewritten) message += " (met once the construct around it is rewritten)";
    out.push_back(Finding{event.span,
                          skip ? Level::Warning : Level::Error,
                          refusal_rule(event.construct),
                          std::move(message),
                          {}});
  }
}

// The source's events once statements are rewritten: without those of the constructs that the
// copy mends, and met as they stand where the copy's reading meets them so.
std::vector<RefusalEvent> after_rewrites(std::vector<RefusalEvent> events,
                                         const std::vector<StatementRewrite>& rewrites,
                                         const std::vector<RefusalEvent>& copy_events) {
  // Spans and events as keys: a file holds as many rewrites and refusals as statements.
  const auto key = [](Span span) { return (std::uint64_t{span.begin} << 32) | span.end; };
  std::unordered_set<std::uint64_t> mended;
  for (const StatementRewrite& rewrite : rewrites) {
    for (const Span& span : rewrite.mended) mended.insert(key(span));
  }
  // The constructs that the copy's reading meets as they stand, by span.
  std::unordered_map<std::uint64_t, std::vector<Refusal>> met_as;
  for (const RefusalEvent& event : copy_events) {
    if (!event.once_rewritten) met_as[key(event.span)].push_back(event.construct);
  }
  events.erase(
      std::remove_if(events.begin(), events.end(),
                     [&](const RefusalEvent& event) { return mended.count(key(event.span)) != 0; }),
      events.end());
  for (RefusalEvent& event : events) {
    if (!event.once_rewritten) continue;
    const auto found = met_as.find(key(event.span));
    event.once_rewritten = found == met_as.end() ||
                           std::find(found->second.begin(), found->second.end(), event.construct) ==
                               found->second.end();
  }
  return events;
}

std::vector<std::string> predicted_messages(const std::vector<RefusalEvent>& events) {
  std::vector<std::string> messages;
  for (const RefusalEvent& event : events) {
    if (event.once_rewritten) continue;
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
void settle_verdict(std::string_view source, const MorvacRun& run, const Prediction& prediction,
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
        // morvac skips the `?` of `?S`: the construct that it reads from `S` begins at the `?`.
        const bool same_place =
            finding.span.begin == report.stop_at.begin ||
            (finding.span.begin < report.stop_at.begin &&
             source.substr(finding.span.begin, report.stop_at.begin - finding.span.begin)
                     .find_first_not_of("? \t\r\n") == std::string_view::npos);
        if (same_place && finding.message == run.stop_message && finding.level == Level::Error) {
          report.stop_at = finding.span;
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
                              prediction.parse->errors.front().found.begin == where.begin;
      if (!exhausted && !prediction.uses_extension && !same_error) {
        inconsistent(where, "morvac cannot read the copy where the checker reads it");
      }
      return;
    }
  }
}

// The end of input, after the last line end, is on no line that editors show: what stands there
// is placed at the end of the last line instead.
Span on_a_line(std::string_view source, Span span) {
  const auto size = static_cast<std::uint32_t>(source.size());
  if (size == 0 || source.back() != '\n') return span;
  const std::uint32_t line_end = size >= 2 && source[size - 2] == '\r' ? size - 2 : size - 1;
  if (span.begin == size) span.begin = line_end;
  if (span.end == size) span.end = line_end;
  return span;
}

}  // namespace

// The check of one file, in two steps around the rewrites of statements, which need the
// modules of every file.
class FileCheck {
 public:
  explicit FileCheck(std::string_view source)
      : source_(source),
        scan_(esterel::scan_esterel(source)),
        parse_(esterel::parse_esterel(source, scan_.tokens)),
        events_(walk_refusals(parse_, source)) {
    // Tokens that the reading skipped are blanks to Esterel as to morvac.
    if (!parse_.skipped.empty()) {
      kept_tokens_.reserve(scan_.tokens.size());
      std::size_t next = 0;
      for (const Token& token : scan_.tokens) {
        if (next < parse_.skipped.size() && token.span.begin == parse_.skipped[next].begin) {
          ++next;
          continue;
        }
        kept_tokens_.push_back(token);
      }
      read_tokens_ = &kept_tokens_;
    }
    edits_ = spelling_edits(source, *read_tokens_, parse_);
    spelled_ = make_copy(source, scan_, edits_);
  }
  FileCheck(const FileCheck&) = delete;
  FileCheck& operator=(const FileCheck&) = delete;

  [[nodiscard]] RewriteFile rewrite_input() const {
    return RewriteFile{source_, read_tokens_, &parse_, &spelled_};
  }

  FileReport finish(FileRewrites statements);

 private:
  std::string_view source_;
  EsterelScan scan_;
  esterel::Parse parse_;
  std::vector<RefusalEvent> events_;
  std::vector<Token> kept_tokens_;
  const std::vector<Token>* read_tokens_ = &scan_.tokens;
  std::vector<PlannedEdit> edits_;  // the spellings
  Copy spelled_;                    // the copy with them
};

FileReport FileCheck::finish(FileRewrites statements) {
  const std::string_view source = source_;
  const EsterelScan& scan = scan_;
  const esterel::Parse& parse = parse_;
  const std::vector<RefusalEvent>& events = events_;
  const std::vector<Token>* read_tokens = read_tokens_;
  const std::vector<StatementRewrite>& rewrites = statements.rewrites;
  FileReport report;
  report.copy = std::move(spelled_);
  if (!rewrites.empty()) {
    for (const StatementRewrite& rewrite : rewrites) {
      edits_.insert(edits_.end(), rewrite.edits.begin(), rewrite.edits.end());
    }
    report.copy = make_copy(source, scan, std::move(edits_));
  }
  report.findings = std::move(statements.findings);
  const std::vector<Token> morvac_tokens = read_as_morvac(report.copy);
  const std::vector<Token> esterel_tokens = as_copied(report.copy, *read_tokens);
  const ReadingComparison reading = compare_readings(source, esterel_tokens, morvac_tokens);

  add_lexical_findings(source, scan, report.findings);
  // Skipped tokens that touch are one finding: `###` is one mistake, not three.
  std::vector<Span> skipped_runs;
  for (const Span& skipped : parse.skipped) {
    if (!skipped_runs.empty() && skipped_runs.back().end == skipped.begin) {
      skipped_runs.back().end = skipped.end;
    } else {
      skipped_runs.push_back(skipped);
    }
  }
  for (const Span& skipped : skipped_runs) {
    report.findings.push_back(
        Finding{skipped,
                Level::Warning,
                "stray-character",
                esterel::shown_bytes(source.substr(skipped.begin, skipped.end - skipped.begin)) +
                    " belongs to no construct here: morvac skips it as a blank",
                {}});
  }
  const bool unclosed_comment =
      !scan.errors.empty() && (scan.errors.back().problem == LexProblem::UnclosedComment ||
                               scan.errors.back().problem == LexProblem::UnclosedCComment);
  for (const esterel::SyntaxError& error : parse.errors) {
    // An unclosed comment block hides the rest of the file: its end is no second mistake.
    if (unclosed_comment && error.found.begin == source.size()) continue;
    report.findings.push_back(Finding{error.span, Level::Error, "syntax-error", error.message, {}});
  }
  add_edit_findings(report.copy, report.findings);
  add_rewrite_findings(rewrites, report.findings);
  add_combine_findings(parse.tree, source, report.findings);
  if (rewrites.empty())
    add_refusal_findings(events, blanked_relations(report.copy), report.findings);

  // The prediction is made on what morvac reads: the source's own tokens when they agree.
  esterel::Parse reread;
  std::vector<RefusalEvent> reread_events;
  Prediction prediction{&parse, &events, false};
  // Where the copy blanks relations, morvac meets fewer skips than the source holds.
  if (reading.differs || esterel_tokens.size() != read_tokens->size() || !rewrites.empty()) {
    reread = esterel::parse_esterel(source, morvac_tokens);
    reread_events = walk_refusals(reread, source);
    prediction = Prediction{&reread, &reread_events, false};
  }
  if (!rewrites.empty()) {
    add_refusal_findings(after_rewrites(events, rewrites, reread_events),
                         blanked_relations(report.copy), report.findings);
  }
  add_reading_findings(reading, morvac_tokens, *prediction.parse, report.findings);
  soften_syntax_errors(reading, *prediction.parse, report.findings);
  prediction.uses_extension = uses_extension(prediction.parse->tree, source);
  settle_verdict(source, run_morvac(report.copy.text), prediction, morvac_tokens, report);
  // An error keeps a file from becoming Quarl: where morvac reads the copy otherwise than
  // Esterel does and translates it all, what Esterel's reading finds is a change, not a stop.
  if (report.verdict == Verdict::Translates || report.verdict == Verdict::TranslatesOnceRewritten) {
    for (Finding& finding : report.findings) {
      if (finding.level != Level::Error || std::string_view(finding.rule) == "internal") continue;
      finding.level = Level::Warning;
      finding.message += " (morvac reads this file otherwise, and translates it)";
    }
  }
  for (Finding& finding : report.findings) {
    finding.span = on_a_line(source, finding.span);
    for (Note& note : finding.notes) note.span = on_a_line(source, note.span);
  }
  sort_findings(report.findings);
  return report;
}

std::vector<FileReport> check_sources(const std::vector<std::string_view>& sources,
                                      std::size_t checked) {
  std::vector<std::unique_ptr<FileCheck>> checks;
  std::vector<RewriteFile> inputs;
  for (const std::string_view source : sources) {
    checks.push_back(std::make_unique<FileCheck>(source));
    inputs.push_back(checks.back()->rewrite_input());
  }
  std::vector<FileRewrites> rewrites = rewrite_statements(inputs);
  std::vector<FileReport> reports;
  for (std::size_t i = 0; i < checked && i < sources.size(); ++i) {
    reports.push_back(checks[i]->finish(std::move(rewrites[i])));
  }
  return reports;
}

FileReport check_source(std::string_view source) {
  return std::move(check_sources({source}, 1).front());
}
