#include "stringpp/decimal_syntax.h"

#include "stringpp/char_classes.h"

namespace stringpp {

namespace {

// Moves at past the digits that start there and returns them.
std::string_view take_digits(std::string_view s, std::string_view::size_type& at) {
  const std::string_view::size_type start = at;
  while (at < s.size() && is_digit(s[at])) ++at;
  return s.substr(start, at - start);
}

}  // namespace

DecimalParts scan_decimal(const std::string& text, char separator) {
  DecimalParts parts;
  const std::string_view s(text);
  if (s == "0") {
    parts.valid = true;
    parts.integer_digits = s;
    return parts;
  }
  std::string_view::size_type at = 0;
  while (at < s.size() && s[at] == ' ') ++at;
  if (at < s.size() && s[at] == '-') {
    parts.negative = true;
    ++at;
  }
  if (at >= s.size()) return parts;
  if (s[at] == '0') {
    parts.integer_digits = s.substr(at, 1);
    ++at;
    if (at >= s.size() || s[at] != separator) return parts;
    ++at;
    parts.fraction_digits = take_digits(s, at);
    if (parts.fraction_digits.empty()) return parts;
  } else if (s[at] >= '1' && s[at] <= '9') {
    parts.integer_digits = take_digits(s, at);
    if (at < s.size() && s[at] == separator) {
      ++at;
      parts.fraction_digits = take_digits(s, at);
      if (parts.fraction_digits.empty()) return parts;
    }
  } else {
    return parts;
  }
  if (at < s.size() && (s[at] == 'e' || s[at] == 'E')) {
    ++at;
    if (at < s.size() && (s[at] == '+' || s[at] == '-')) {
      parts.exponent_negative = s[at] == '-';
      ++at;
    }
    if (at >= s.size() || s[at] < '1' || s[at] > '9') return parts;
    parts.exponent_digits = take_digits(s, at);
  }
  parts.valid = at == s.size();
  return parts;
}

}  // namespace stringpp
