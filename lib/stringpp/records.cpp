// Records: cutting a text at separator characters. Each function works on a copy of the text,
// so the caller may pass the same string as text and as rest.
#include "Stringpp.h"
#include "stringpp/text_search.h"

namespace {

// Returns the text before position at and sets rest to the text after it; with no position,
// returns the whole text and empties rest.
std::string split_at(std::string text, std::string::size_type at, std::string& rest) {
  if (at == std::string::npos) {
    rest.clear();
    return text;
  }
  rest = text.substr(at + 1);
  text.resize(at);
  return text;
}

}  // namespace

std::string next_record(const std::string& s, char sep, std::string& rest) {
  return split_at(s, s.find(sep), rest);
}

std::string next_record(const std::string& s, const char* seps, std::string& rest, char& found) {
  const std::string::size_type at = stringpp::find_first_in_set(s, seps);
  found = at == std::string::npos ? ' ' : s[at];
  return split_at(s, at, rest);
}

std::string last_record(const std::string& s, char sep, std::string& rest) {
  return split_at(s, s.rfind(sep), rest);
}
