// Texts counted in characters, as the toolkit draws them, and their code in the fonts of the
// PDF and PostScript exports.
//
// A character is a UTF-8 sequence. A byte that begins none is a character of its own, the
// Windows-1252 one, which is how FLTK draws it: a Latin-1 text counts right too, and a cut never
// leaves half a character.
#ifndef MORVAC_FORMSPP_CHARACTERS_H
#define MORVAC_FORMSPP_CHARACTERS_H

#include <cstddef>
#include <string>

// Returns how many bytes the first count characters of text take from byte from on (all that
// is left when fewer remain): "été" and 2 give 3.
[[nodiscard]] size_t formspp_prefix_bytes(const std::string& text, size_t count, size_t from = 0);

// Returns the first count characters of text.
[[nodiscard]] std::string formspp_first_characters(const std::string& text, size_t count);

// Returns the number of characters of text: 3 for "été".
[[nodiscard]] size_t formspp_character_count(const std::string& text);

// Returns text in the WinAnsi encoding (Windows-1252): ASCII unchanged, every other character
// by its code there ("é" 0xE9, "€" 0x80, "’" 0x92), '?' for one that has none.
[[nodiscard]] std::string formspp_win_ansi(const std::string& text);

#endif  // MORVAC_FORMSPP_CHARACTERS_H
