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
        return end ? x <= e.copy_begin : x < e.copy_begin;
      });
  if (after == edits.begin()) return at;
  const CopyEdit& edit = *(after - 1);
  if (at < edit.copy_end || (end && at == edit.copy_end)) {
    return end ? edit.source_end : edit.source_begin;
  }
  return edit.source_end + (at - edit.copy_end);
}

}  // namespace

Span Copy::to_source(Span copy_span) const {
  if (edits.empty()) return copy_span;
  return Span{map_offset(edits, copy_span.begin, false), map_offset(edits, copy_span.end, true)};
}

Copy make_copy(std::string_view source, const EsterelScan& scan) {
  Copy copy;
  copy.text.reserve(source.size());
  std::string blanked(source);
  for (const Span& comment : scan.comments) {
    for (std::uint32_t i = comment.begin; i < comment.end; ++i) {
      if (blanked[i] != '\n' && blanked[i] != '\r') blanked[i] = ' ';
    }
  }
  copy.rewritten = !scan.comments.empty();
  std::size_t done = 0;
  for (const Token& token : scan.tokens) {
    if (token.code != TOK_ASSIGN || source.compare(token.span.begin, 2, ":=") != 0) continue;
    copy.text.append(blanked, done, token.span.begin - done);
    std::string word = "assign";
    if (token.span.begin > 0 && is_name_char(blanked[token.span.begin - 1])) word.insert(0, " ");
    if (token.span.end < blanked.size() && is_name_char(blanked[token.span.end])) word += ' ';
    const auto copy_begin = static_cast<std::uint32_t>(copy.text.size());
    copy.text += word;
    copy.edits.push_back(CopyEdit{token.span.begin, token.span.end, copy_begin,
                                  static_cast<std::uint32_t>(copy.text.size())});
    done = token.span.end;
  }
  copy.text.append(blanked, done, std::string::npos);
  copy.rewritten = copy.rewritten || !copy.edits.empty();
  return copy;
}
