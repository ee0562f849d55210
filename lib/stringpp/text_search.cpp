#include "stringpp/text_search.h"

#include <string.h>  // memmem (GNU): Two-Way search, linear in the worst case

#include <array>

#include "stringpp/char_classes.h"

namespace stringpp {

std::string::size_type find_text(std::string_view text, std::string_view pattern,
                                 std::string::size_type from) {
  if (from > text.size()) return std::string::npos;
  if (pattern.empty()) return from;
  const void* at = memmem(text.data() + from, text.size() - from, pattern.data(), pattern.size());
  return at == nullptr
             ? std::string::npos
             : static_cast<std::string::size_type>(static_cast<const char*>(at) - text.data());
}

std::string::size_type find_first_in_set(std::string_view text, const char* set) {
  if (set == nullptr || *set == '\0') return std::string::npos;
  std::array<bool, 256> in_set{};  // read once, then one look-up per character of the text
  for (const char* c = set; *c != '\0'; ++c) in_set[byte_of(*c)] = true;
  for (std::string::size_type i = 0; i < text.size(); ++i) {
    if (in_set[byte_of(text[i])]) return i;
  }
  return std::string::npos;
}

}  // namespace stringpp
