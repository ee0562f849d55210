// Substitution and trimming: replacing characters, substrings and whole-word tokens, removing
// blanks at both ends and the enclosing characters.
#include "Stringpp.h"
#include "stringpp/text_search.h"

using stringpp::find_text;

std::string substitute_string(const std::string& s, const std::string& pattern,
                              const std::string& replacement) {
  if (pattern.empty()) return s;  // an empty pattern would match forever without moving
  std::string result;
  std::string::size_type from = 0;
  for (std::string::size_type at = find_text(s, pattern); at != std::string::npos;
       at = find_text(s, pattern, from)) {
    result.append(s, from, at - from).append(replacement);
    from = at + pattern.size();
  }
  return result.append(s, from, std::string::npos);
}

std::string substitute_char(const std::string& s, char c, const std::string& replacement) {
  std::string result;
  for (const char x : s) {
    if (x == c) {
      result += replacement;
    } else {
      result += x;
    }
  }
  return result;
}

std::string substitute_char(const std::string& s, char c, char replacement) {
  std::string result = s;
  for (char& x : result) {
    if (x == c) x = replacement;
  }
  return result;
}

std::string substitute_token(const std::string& s, const std::string& token,
                             const std::string& replacement) {
  if (token.empty()) return s;
  std::string result;
  std::string::size_type from = 0;  // start of the text searched at this step
  for (std::string::size_type at = find_text(s, token); at != std::string::npos;
       at = find_text(s, token, from)) {
    const std::string::size_type after = at + token.size();
    // The character before counts only inside the searched text: an occurrence right after
    // the previous one is preceded by nothing.
    const bool free_before = at == from || est_lc(s[at - 1]) == 0;
    const bool free_after = after == s.size() || est_lc(s[after]) == 0;
    result.append(s, from, at - from).append(free_before && free_after ? replacement : token);
    from = after;
  }
  return result.append(s, from, std::string::npos);
}

std::string cancel_begin_end_spaces(const std::string& s) {
  const std::string::size_type first = s.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

std::string clever_substitute_space(const std::string& s, char c) {
  return substitute_char(cancel_begin_end_spaces(s), ' ', c);
}

std::string bdelete(const std::string& s) {
  return s.size() < 3 ? std::string() : s.substr(1, s.size() - 2);
}
