#include "morvac_reading.h"

#include "strl5_rules.h"

std::vector<Token> read_as_morvac(const Copy& copy) {
  const std::string_view text = copy.text;
  std::vector<Token> tokens;
  tokens.reserve(copy.text.size() / 4 + 1);  // a token for every six bytes or so
  strl5_rules::MinusRun run;
  std::int64_t offset = 0;
  const auto size = static_cast<std::int64_t>(text.size());
  auto peek = [&](std::int64_t i) -> int {
    return offset + i < size ? static_cast<unsigned char>(text[offset + i]) : -1;
  };
  auto start = [&] { return text.data() + offset; };
  for (;;) {
    const strl5_rules::Match match = strl5_rules::match(peek, start, offset, run);
    if (match.code == strl5_rules::kEndOfInput) break;
    if (match.code == strl5_rules::kEcho) {
      ++offset;
      continue;
    }
    const Span span{static_cast<std::uint32_t>(offset),
                    static_cast<std::uint32_t>(offset + match.length)};
    tokens.push_back(Token{match.code, copy.to_source(span)});
    offset += match.length;
  }
  const Span end =
      copy.to_source(Span{static_cast<std::uint32_t>(size), static_cast<std::uint32_t>(size)});
  tokens.push_back(Token{0, end});
  return tokens;
}

bool morvac_reads_a_number_at(std::string_view text, std::uint32_t at) {
  strl5_rules::MinusRun run;
  const auto size = static_cast<std::int64_t>(text.size());
  auto peek = [&](std::int64_t i) -> int {
    return at + i < size ? static_cast<unsigned char>(text[at + i]) : -1;
  };
  auto start = [&] { return text.data() + at; };
  const int code = strl5_rules::match(peek, start, at, run).code;
  return code == FLOAT;
}
