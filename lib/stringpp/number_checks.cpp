// Syntax checks for the texts the number parsers read; each returns 1 or 0.
#include <algorithm>

#include "Stringpp.h"
#include "stringpp/char_classes.h"
#include "stringpp/decimal_syntax.h"

namespace {

template <typename Predicate>
bool all_of_text(const std::string& s, std::string::size_type from, Predicate predicate) {
  return std::all_of(s.begin() + static_cast<std::string::difference_type>(from), s.end(),
                     predicate);
}

bool is_bit(char c) {
  return c == '0' || c == '1';
}

}  // namespace

int checkuint(const std::string& s) {
  return !s.empty() && all_of_text(s, 0, stringpp::is_digit) ? 1 : 0;
}

int checkint(const std::string& s) {
  const std::string::size_type from = !s.empty() && s[0] == '-' ? 1 : 0;
  return s.size() > from && all_of_text(s, from, stringpp::is_digit) ? 1 : 0;
}

int checkhex(const std::string& s) {
  return all_of_text(s, 0, stringpp::is_hex_digit) ? 1 : 0;
}

int checkhexintel(const std::string& s) {
  if (s.empty() || s.back() != 'h') return 0;
  return std::all_of(s.begin(), s.end() - 1, stringpp::is_hex_digit) ? 1 : 0;
}

int checkbin(const std::string& s) {
  return all_of_text(s, 0, is_bit) ? 1 : 0;
}

int beginbynumber(const std::string& s) {
  return !s.empty() && stringpp::is_digit(s[0]) ? 1 : 0;
}

int checkdouble(const std::string& s, char separator) {
  return stringpp::scan_decimal(s, separator).valid ? 1 : 0;
}
