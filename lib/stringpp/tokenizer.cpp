// next_Stringtoken: cuts one word, signed number or punctuation mark off the front of a text.
#include "Stringpp.h"
#include "stringpp/char_classes.h"

namespace {

// Returns the end of the run that starts at from and whose characters all satisfy continues
// and differ from sep.
template <typename Predicate>
std::string::size_type run_end(const std::string& s, std::string::size_type from, char sep,
                               Predicate continues) {
  while (from < s.size() && s[from] != sep && continues(s[from])) ++from;
  return from;
}

bool is_number_character(char c) {
  return stringpp::is_digit(c) || c == '.';
}

bool is_word_character(char c) {
  return est_lc(c) == 1;
}

}  // namespace

std::string next_Stringtoken(std::string s, char sep, std::string* rest) {
  const std::string::size_type start = s.find_first_not_of(sep);
  if (start == std::string::npos) {  // nothing but separators: no token
    if (rest != nullptr) rest->clear();
    return std::string();
  }
  std::string::size_type end = start + 1;
  if (s[start] == '-') {
    end = run_end(s, start + 1, sep, is_number_character);
  } else if (is_word_character(s[start])) {
    end = run_end(s, start + 1, sep, is_word_character);
  }
  if (rest != nullptr) *rest = s.substr(end);
  return s.substr(start, end - start);
}
