// Substrings by position and searches. Positions are clipped to the text, so no argument can
// reach outside it.
#include <algorithm>
#include <limits>

#include "Stringpp.h"
#include "stringpp/char_classes.h"
#include "stringpp/text_search.h"

namespace {

// Returns i as an index into a text of the given size: negative counts as 0, past the end as
// the size.
std::string::size_type clip(int i, std::string::size_type size) {
  if (i <= 0) return 0;
  return std::min(static_cast<std::string::size_type>(i), size);
}

// Returns true for the characters that continue a word after a token: ASCII letters, digits,
// the ISO 8859-1 letters à â ç è é ê ô, and the code 140.
bool continues_word(char c) {
  switch (stringpp::byte_of(c)) {
    case 140:
    case 224:
    case 226:
    case 231:
    case 232:
    case 233:
    case 234:
    case 244:
      return true;
    default:
      return stringpp::is_ascii_letter(c) || stringpp::is_digit(c);
  }
}

}  // namespace

std::string my_after(const std::string& s, int i) {
  return s.substr(clip(i, s.size()));
}

std::string my_before(std::string s, int n) {
  s.resize(clip(n, s.size()));
  return s;
}

std::string my_at(const std::string& s, int start, int end) {
  const std::string::size_type from = clip(start, s.size());
  const std::string::size_type to = clip(end, s.size());
  return from >= to ? std::string() : s.substr(from, to - from);
}

// NOLINTBEGIN(performance-unnecessary-value-param): these take their texts by value.
int contains(std::string s, std::string pattern) {
  return stringpp::find_text(s, pattern) != std::string::npos ? 1 : 0;
}

std::string::size_type find(std::string s, std::string pattern) {
  return stringpp::find_text(s, pattern);
}
// NOLINTEND(performance-unnecessary-value-param)

int char_occurences(const std::string& s, char c) {
  // A text longer than 2^31 can hold more matches than an int counts: they saturate.
  const auto count = std::count(s.begin(), s.end(), c);
  return count > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                 : static_cast<int>(count);
}

// NOLINTNEXTLINE(performance-unnecessary-value-param): the texts are taken by value.
int contains_token(std::string s, std::string token) {
  const std::string::size_type at = stringpp::find_text(s, token);
  if (at == std::string::npos) return 0;
  const std::string::size_type after = at + token.size();
  if (after == s.size()) return 1;
  return continues_word(s[after]) ? 0 : 1;
}

int est_lc(char c) {
  return stringpp::is_ascii_letter(c) || stringpp::is_digit(c) || c == '.' || c == '_' ||
                 c == ',' || c == '@'
             ? 1
             : 0;
}
