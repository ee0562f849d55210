#include "copy_rewrite.h"

#include <algorithm>

#include "esterel_grammar.hh"

namespace {

bool is_name_char(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// Maps one offset of the copy; `end` says whether it closes a span.
std::uint32_t map_offset(const std::vector<CopyEdit>& edits, std::uint32_t at, bool end) {
  // The last edit that starts before at (or at it, for an end).
  auto after =
      std::upper_bound(edits.begin(), edits.end(), at, [&](std::uint32_t x, const CopyEdit& e) {
        return end ? x <= e.copy.begin : x < e.copy.begin;
      });
  if (after == edits.begin()) return at;
  const CopyEdit& edit = *(after - 1);
  if (at < edit.copy.end || (end && at == edit.copy.end)) {
    return end ? edit.source.end : edit.source.begin;
  }
  return edit.source.end + (at - edit.copy.end);
}

// Appends the tokens that the copy writes for the edit of a derived statement, once.
void write_derived(const Copy& copy, std::vector<CopyEdit>::const_iterator edit,
                   std::vector<CopyEdit>::const_iterator& written, std::vector<Token>& out) {
  if (edit->reason != EditReason::Derived || edit == written) return;
  written = edit;
  const std::string_view text =
      std::string_view(copy.text).substr(edit->copy.begin, edit->copy.end - edit->copy.begin);
  for (const Token& token : esterel::scan_esterel(text).tokens) {
    if (token.code != 0) out.push_back(Token{token.code, edit->source});
  }
}

}  // namespace

bool ends_an_operand(int code) {
  return code == TOK_IDS || code == TOK_NATURAL || code == TOK_FLOAT || code == TOK_STRING ||
         code == TOK_CLOSEP || code == TOK_TRUE_TOKEN || code == TOK_FALSE_TOKEN;
}

std::string apart(std::string_view source, Span span, std::string word) {
  if (span.begin > 0 && is_name_char(source[span.begin - 1])) word.insert(0, " ");
  if (span.end < source.size() && is_name_char(source[span.end])) word += ' ';
  return word;
}

std::string blanked(std::string_view source, Span span) {
  std::string text(source.substr(span.begin, span.end - span.begin));
  for (char& c : text) {
    if (c != '\n' && c != '\r') c = ' ';
  }
  return text;
}

Span Copy::to_source(Span copy_span) const {
  if (edits.empty()) return copy_span;
  return Span{map_offset(edits, copy_span.begin, false), map_offset(edits, copy_span.end, true)};
}

Copy apply_edits(std::string_view source, std::vector<PlannedEdit> edits) {
  std::sort(edits.begin(), edits.end(), [](const PlannedEdit& a, const PlannedEdit& b) {
    return a.source.begin < b.source.begin;
  });
  Copy copy;
  copy.text.reserve(source.size());
  std::uint32_t done = 0;
  for (const PlannedEdit& edit : edits) {
    copy.text.append(source, done, edit.source.begin - done);
    const auto copy_begin = static_cast<std::uint32_t>(copy.text.size());
    copy.text += edit.text;
    copy.edits.push_back(CopyEdit{
        edit.source, Span{copy_begin, static_cast<std::uint32_t>(copy.text.size())}, edit.reason});
    done = edit.source.end;
  }
  copy.text.append(source, done, std::string_view::npos);
  copy.rewritten = !edits.empty();
  return copy;
}

Copy make_copy(std::string_view source, const EsterelScan& scan,
               std::vector<PlannedEdit> rewrites) {
  // A comment or a preprocessor line inside a relation that a rewrite blanks goes with it.
  std::vector<Span> relations;
  for (const PlannedEdit& rewrite : rewrites) {
    if (rewrite.reason == EditReason::Incompatibility) relations.push_back(rewrite.source);
  }
  std::sort(relations.begin(), relations.end(),
            [](const Span& a, const Span& b) { return a.begin < b.begin; });
  const auto in_relation = [&](Span span) {
    const auto after = std::upper_bound(
        relations.begin(), relations.end(), span.begin,
        [](std::uint32_t at, const Span& relation) { return at < relation.begin; });
    return after != relations.begin() && span.end <= (after - 1)->end;
  };
  std::vector<PlannedEdit> edits = std::move(rewrites);
  for (const Span& comment : scan.comments) {
    if (in_relation(comment)) continue;
    edits.push_back(PlannedEdit{comment, blanked(source, comment), EditReason::Comment});
  }
  for (const Span& line : scan.directives) {
    if (in_relation(line)) continue;
    edits.push_back(PlannedEdit{line, blanked(source, line), EditReason::PreprocessorLine});
  }
  for (const Token& token : scan.tokens) {
    if (token.code != TOK_ASSIGN || source.compare(token.span.begin, 2, ":=") != 0) continue;
    // `x:=1` is `x assign 1`.
    edits.push_back(
        PlannedEdit{token.span, apart(source, token.span, "assign"), EditReason::Assign});
  }
  return apply_edits(source, std::move(edits));
}

std::vector<Token> as_copied(const Copy& copy, const std::vector<Token>& tokens) {
  std::vector<Token> out;
  out.reserve(tokens.size());
  auto edit = copy.edits.begin();
  auto written = copy.edits.end();  // the last edit of a derived statement whose tokens are out
  for (Token token : tokens) {
    while (edit != copy.edits.end() && edit->source.end <= token.span.begin) {
      write_derived(copy, edit, written, out);
      ++edit;
    }
    const bool in_edit =
        edit != copy.edits.end() && edit->source.begin <= token.span.begin && token.code != 0;
    if (in_edit && edit->reason == EditReason::Derived) {
      write_derived(copy, edit, written, out);
      continue;
    }
    if (in_edit && edit->reason == EditReason::Incompatibility) continue;
    if (in_edit && edit->reason == EditReason::Elsif) token.code = TOK_ELSEIF;
    out.push_back(token);
  }
  return out;
}
