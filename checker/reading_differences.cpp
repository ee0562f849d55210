#include "reading_differences.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "esterel_grammar.hh"

namespace {

using Tokens = std::vector<Token>;

struct Region {
  const Token* esterel;  // Esterel's tokens of the region
  std::size_t esterel_count;
  const Token* morvac;  // morvac's tokens of the region
  std::size_t morvac_count;
  Span span;
};

std::string_view text_of(std::string_view source, Span span) {
  return source.substr(span.begin, span.end - span.begin);
}

const Token* find(const Region& r, int code) {
  for (std::size_t i = 0; i < r.esterel_count; ++i) {
    if (r.esterel[i].code == code) return &r.esterel[i];
  }
  return nullptr;
}

// Returns why morvac does not read a string as written, or null when it does.
const char* string_problem(std::string_view text) {
  if (text.size() <= 2) return "it has no empty string";
  if (text.substr(1, text.size() - 2).find("\"\"") != std::string_view::npos) {
    return "it has no doubled quote in a string";
  }
  return "its strings take no `-`, `@`, `[`, `]`, `^`, `|`, tab or byte above 126";
}

// Whether `pre (` stands right before offset, blanks aside.
bool after_pre_and_parenthesis(std::string_view source, std::size_t offset) {
  const auto skip_blanks = [&](std::size_t at) {
    while (at > 0 && (source[at - 1] == ' ' || source[at - 1] == '\t' || source[at - 1] == '\n' ||
                      source[at - 1] == '\r')) {
      --at;
    }
    return at;
  };
  std::size_t at = skip_blanks(offset);
  if (at == 0 || source[at - 1] != '(') return false;
  at = skip_blanks(at - 1);
  return at >= 3 && source.substr(at - 3, 3) == "pre" &&
         (at == 3 || !(std::isalnum(static_cast<unsigned char>(source[at - 4])) != 0 ||
                       source[at - 4] == '_'));
}

ReadingDifference describe(std::string_view source, const Region& r) {
  const std::string quoted = "`" + std::string(text_of(source, r.span)) + "`";
  if (const Token* t = find(r, TOK_QQ)) {
    return {t->span, "trap-value", "`??` (a trap's value): morvac has no form for it", true};
  }
  if (const Token* t = find(r, '?')) {
    if (after_pre_and_parenthesis(source, t->span.begin)) {
      return {t->span, "signal-value",
              "`pre(?S)`: morvac skips `?` and has no form for `pre(S)` in an expression"};
    }
    return {t->span, "signal-value",
            "`?S`: morvac skips `?` and writes the signal's name where Esterel means its value"};
  }
  if (const Token* t = find(r, '#')) {
    return {t->span, "incompatibility", "`#` (incompatible signals): morvac has no form for it",
            true};
  }
  if (const Token* t = find(r, '.')) {
    return {t->span, "module-dot",
            "`.`: morvac skips it; a module ends only with `end module` there"};
  }
  if (const Token* t = find(r, TOK_ELSIF)) {
    return {t->span, "elsif", "`elsif`: morvac reads a name here; it has `elseif`", true};
  }
  for (std::size_t i = 0; i < r.esterel_count; ++i) {
    const Token& t = r.esterel[i];
    const std::string_view text = text_of(source, t.span);
    // A closed string holds an even number of quotes: its two ends and the doubled ones.
    if (t.code == TOK_STRING && std::count(text.begin(), text.end(), '"') % 2 == 0) {
      return {t.span, "string-form",
              "string " + std::string(text) + ": morvac does not read it; " + string_problem(text)};
    }
    if (t.code == TOK_FLOAT && (text.back() == 'f' || text.back() == 'F')) {
      return {t.span, "number-form", "`" + std::string(text) + "`: morvac has no `f` suffix"};
    }
    if (t.code == TOK_FLOAT && text.find_first_of("eE") != std::string_view::npos) {
      return {t.span, "number-form", "`" + std::string(text) + "`: morvac has no exponent"};
    }
    if (t.code == TOK_FLOAT && text.front() == '.') {
      return {t.span, "number-form",
              "`" + std::string(text) + "`: morvac skips the point and reads a whole number"};
    }
  }
  const bool glued_minus = r.esterel_count >= 2 && r.esterel[0].code == TOK_MINUS &&
                           r.morvac_count >= 1 && r.morvac[0].code == TOK_FLOAT &&
                           r.morvac[0].span.begin == r.esterel[0].span.begin;
  // After an operand the copy writes a blank after the minus sign; elsewhere (`f(-1)`, `x - -1`)
  // morvac reads one number either way.
  if (glued_minus) return {r.span, "minus-number", ""};
  if (r.morvac_count == 1 && r.morvac[0].code == TOK_IDS && r.esterel_count > 1) {
    return {r.span, "glued-name", quoted + ": morvac reads one name here"};
  }
  if (r.esterel_count == 1 && r.esterel[0].code == TOK_STRING) {
    return {r.span, "string-form", ""};  // not closed: a lexical error already says so
  }
  return {r.span, "other-reading", quoted + ": morvac reads it otherwise"};
}

bool same(const Token& a, const Token& b) {
  return a.code == b.code && a.span.begin == b.span.begin && a.span.end == b.span.end;
}

}  // namespace

ReadingComparison compare_readings(std::string_view source, const Tokens& esterel,
                                   const Tokens& morvac) {
  ReadingComparison result;
  std::size_t i = 0;
  std::size_t k = 0;
  const auto more = [](const Tokens& tokens, std::size_t at) { return tokens[at].code != 0; };
  while (more(esterel, i) || more(morvac, k)) {
    if (same(esterel[i], morvac[k])) {
      ++i;
      ++k;
      continue;
    }
    const std::size_t i0 = i;
    const std::size_t k0 = k;
    const std::uint32_t begin = std::min(esterel[i].span.begin, morvac[k].span.begin);
    std::uint32_t end = begin;
    // The first token of either list that starts the region, then every token that overlaps it.
    bool grew = true;
    while (grew) {
      grew = false;
      while (more(esterel, i) && (esterel[i].span.begin < end || esterel[i].span.begin == begin)) {
        end = std::max(end, esterel[i++].span.end);
        grew = true;
      }
      while (more(morvac, k) && (morvac[k].span.begin < end || morvac[k].span.begin == begin)) {
        end = std::max(end, morvac[k++].span.end);
        grew = true;
      }
    }
    const Region region{&esterel[i0], i - i0, &morvac[k0], k - k0, Span{begin, end}};
    result.differs = true;
    ReadingDifference difference = describe(source, region);
    // A run of the same form, token after token (`####`), is one finding.
    if (!result.differences.empty()) {
      ReadingDifference& previous = result.differences.back();
      if (previous.span.end == difference.span.begin && previous.rule == difference.rule &&
          previous.message == difference.message) {
        previous.span.end = difference.span.end;
        continue;
      }
    }
    result.differences.push_back(std::move(difference));
  }
  return result;
}
