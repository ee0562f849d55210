// Searches shared by the Stringpp implementation files, in time linear in the text and the
// pattern whatever they hold. The standard string's find compares the pattern again at every
// candidate position, which takes the product of the two lengths on texts such as "aaa...a"
// searched for "aa...ab"; find_first_of reads the whole set again for every character.
#ifndef MORVAC_STRINGPP_TEXT_SEARCH_H
#define MORVAC_STRINGPP_TEXT_SEARCH_H

#include <string>
#include <string_view>

namespace stringpp {

// Returns the position of the first occurrence of pattern in text at or after from, or
// std::string::npos; an empty pattern occurs at from when from is at most the text's length.
[[nodiscard]] std::string::size_type find_text(std::string_view text, std::string_view pattern,
                                               std::string::size_type from = 0);

// Returns the position of the first character of text that belongs to the NUL-terminated set
// (none when set is null or empty), or std::string::npos.
[[nodiscard]] std::string::size_type find_first_in_set(std::string_view text, const char* set);

}  // namespace stringpp

#endif  // MORVAC_STRINGPP_TEXT_SEARCH_H
