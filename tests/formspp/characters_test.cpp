// Texts counted in characters and their WinAnsi code: the cases of data/characters.tsv, and
// whole ranges of codes.
#include <gtest/gtest.h>

#include <FL/fl_utf8.h>

#include "case_table.h"
#include "formspp/characters.h"

namespace {

using F = CaseFields;

size_t number(const std::string& text) {
  return static_cast<size_t>(std::stoul(text));
}

TEST(Characters, CountCutAndEncode) {
  expect_cases(
      FORMSPP_DATA_DIR "/characters.tsv",
      {{"count", [](const F& a) -> F { return {std::to_string(formspp_character_count(a[0]))}; }},
       {"prefix",
        [](const F& a) -> F {
          return {std::to_string(formspp_prefix_bytes(a[0], number(a[1]), number(a[2])))};
        }},
       {"first", [](const F& a) -> F { return {formspp_first_characters(a[0], number(a[1]))}; }},
       {"win_ansi", [](const F& a) -> F { return {formspp_win_ansi(a[0])}; }}});
}

// Returns the UTF-8 text of one character.
std::string utf8(unsigned character) {
  char bytes[4];
  return std::string(bytes, static_cast<size_t>(fl_utf8encode(character, bytes)));
}

TEST(Characters, WholeRangesOfCodes) {
  for (unsigned code = 0; code < 0x100; ++code) {
    const std::string byte(1, static_cast<char>(code));
    if (code < 0x80) {
      EXPECT_EQ(formspp_win_ansi(byte), byte) << "ASCII " << code;
    } else if (code < 0xA0) {
      EXPECT_EQ(formspp_win_ansi(utf8(code)), "?") << "control " << code;
    } else {
      EXPECT_EQ(formspp_win_ansi(utf8(code)), byte) << "ISO 8859-1 " << code;
      EXPECT_EQ(formspp_win_ansi(byte), byte) << "Latin-1 byte " << code;
    }
  }
}

}  // namespace
