// Identifier checks: a letter (or an underscore where allowed), then letters, digits and
// underscores, ending with a letter or a digit.
#include <algorithm>

#include "Stringpp.h"
#include "stringpp/char_classes.h"

namespace {

bool is_letter_or_digit(char c) {
  return stringpp::is_ascii_letter(c) || stringpp::is_digit(c);
}

bool is_identifier_character(char c) {
  return is_letter_or_digit(c) || c == '_';
}

int check_identifier(const std::string& s, bool underscore_first) {
  if (s.empty()) return 0;
  const bool first_ok = stringpp::is_ascii_letter(s[0]) || (underscore_first && s[0] == '_');
  if (!first_ok || !is_letter_or_digit(s.back())) return 0;
  return std::all_of(s.begin(), s.end(), is_identifier_character) ? 1 : 0;
}

}  // namespace

int checkvarname(const std::string& s) {
  return check_identifier(s, false);
}

int checkvarname_with_pre_underscore(const std::string& s) {
  return check_identifier(s, true);
}
