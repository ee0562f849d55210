// Letter case, accents (ISO 8859-1 and UTF-8) and identifier checks.
#include <gtest/gtest.h>

#include <string>

#include "Stringpp.h"

namespace {

TEST(LetterCase, RaisesLowersAndStripsAccents) {
  const struct {
    std::string text;
    const char* expected;
  } cases[] = {
      {downcase("AbC\xc9z-1"), "abc\xc9z-1"},
      {upcase("\xe9t\xe9"), "T"},  // ISO 8859-1 "été": the accented bytes vanish
      {upcase("a1-\x80z"), "A1-Z"},
      {upcase_accent("\xe9t\xe9"), "ETE"},
      {upcase_accent("\xe0\xe2\xf4\xe7\xe8\xea\x8c\xfc x"), "AAOCEEI X"},
      {upcase_accent2("f\xc3\xbcr"), "FR"},         // ü has no mapping
      {upcase_accent2("\xc3\xa7\xc3\xa0"), "C"},    // nor has à
      {upcase_accent2("\xc4\xb1\xc4\x80z"), "IZ"},  // dotless i; other 196 sequences vanish
      {upcase_accent2("\xc3\xb6\xc3\xb4\xc3\xae\xc3\xad\xc3\xab\xc3\xa9\xc3\xa8\xc3\xa7\xc3\xa4"
                      "\xc3\xa1"),
       "OOIIEEECAA"},
      {upcase_accent2("\xe2\x80\x99x"), ""},  // two bytes at a time: the third takes the x
      {upcase_accent2("ab\xc3"), "AB"},       // a lead byte at the end goes alone
  };
  for (const auto& c : cases) EXPECT_EQ(c.text, c.expected);
  EXPECT_EQ(upcase(std::string("a\0b", 3)), std::string("A\0B", 3));
}

TEST(Letters, IsoLettersAndIdentifiers) {
  for (const int code : {int{'a'}, int{'Z'}, 181, 192, 214, 217, 246, 249, 255}) {
    EXPECT_EQ(check_ISO_8859_1_alphabetical_letter(static_cast<char>(code)), 1) << code;
  }
  for (const int code : {int{'1'}, int{'_'}, 0, 140, 180, 191, 215, 216, 247, 248}) {
    EXPECT_EQ(check_ISO_8859_1_alphabetical_letter(static_cast<char>(code)), 0) << code;
  }
  const struct {
    const char* name;
    int plain, underscore_first;
  } cases[] = {
      {"a", 1, 1},  {"a1", 1, 1},  {"a_b", 1, 1},   {"A_1", 1, 1}, {"a_", 0, 0},
      {"1a", 0, 0}, {"_a", 0, 1},  {"_1", 0, 1},    {"_", 0, 0},   {"__a", 0, 1},
      {"", 0, 0},   {"a b", 0, 0}, {"a\xe9", 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(checkvarname(c.name), c.plain);
    EXPECT_EQ(checkvarname_with_pre_underscore(c.name), c.underscore_first);
  }
}

}  // namespace
