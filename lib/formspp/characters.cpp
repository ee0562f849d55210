#include "formspp/characters.h"

#include <FL/fl_utf8.h>

namespace {

// The characters of Windows-1252 codes 0x80 to 0x9F; 0 where a code has none.
const unsigned kWindows1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,       // 0x88
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,  // 0x98
};

// Returns the character at byte at of text (at < size) and its length in bytes in *length.
unsigned character_at(const std::string& text, size_t at, size_t* length) {
  int bytes = 1;
  const unsigned code = fl_utf8decode(text.data() + at, text.data() + text.size(), &bytes);
  *length = bytes < 1 ? 1 : static_cast<size_t>(bytes);
  return code;
}

char win_ansi_code(unsigned character) {
  if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
    return static_cast<char>(character);
  }
  for (unsigned code = 0; code < 32; ++code) {
    if (kWindows1252High[code] == character) return static_cast<char>(0x80 + code);
  }
  return '?';
}

}  // namespace

size_t formspp_prefix_bytes(const std::string& text, size_t count, size_t from) {
  size_t at = from;
  for (size_t length = 0; count > 0 && at < text.size(); --count) {
    (void)character_at(text, at, &length);
    at += length;
  }
  return at - from;
}

std::string formspp_first_characters(const std::string& text, size_t count) {
  return text.substr(0, formspp_prefix_bytes(text, count));
}

size_t formspp_character_count(const std::string& text) {
  size_t count = 0;
  for (size_t at = 0, length = 0; at < text.size(); at += length) {
    (void)character_at(text, at, &length);
    ++count;
  }
  return count;
}

std::string formspp_win_ansi(const std::string& text) {
  std::string encoded;
  encoded.reserve(text.size());
  for (size_t at = 0, length = 0; at < text.size(); at += length) {
    encoded += win_ansi_code(character_at(text, at, &length));
  }
  return encoded;
}
