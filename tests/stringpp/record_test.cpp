// Substrings, searches, records and the tokenizer.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "Stringpp.h"

namespace {

TEST(Substrings, ClipEveryPositionToTheText) {
  const struct {
    std::string text;
    const char* expected;
  } cases[] = {
      {my_after("abc", 1), "bc"},       {my_after("abc", 3), ""},
      {my_after("abc", INT_MAX), ""},   {my_after("abc", -2), "abc"},
      {my_before("abc", 2), "ab"},      {my_before("abc", INT_MAX), "abc"},
      {my_before("abc", 0), ""},        {my_before("abc", INT_MIN), ""},
      {my_at("abcdef", 1, 3), "bc"},    {my_at("abcdef", 4, INT_MAX), "ef"},
      {my_at("abc", 3, 5), ""},         {my_at("abc", 2, 1), ""},
      {my_at("abc", INT_MIN, 2), "ab"}, {my_at("", 0, 1), ""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.text, c.expected);
}

TEST(Searches, FindTheFirstOccurrence) {
  EXPECT_EQ(contains("abcabc", "ca"), 1);
  EXPECT_EQ(find("abcabc", "ca"), 2U);
  EXPECT_EQ(contains("abc", "x"), 0);
  EXPECT_EQ(find("abc", "x"), std::string::npos);
  EXPECT_EQ(contains("abc", ""), 1);
  EXPECT_EQ(char_occurences("banana", 'a'), 3);
  EXPECT_EQ(char_occurences("", 'a'), 0);
  const struct {
    const char* text;
    const char* token;
    int expected;
  } tokens[] = {
      {"emit Sx", "emit S", 0}, {"emit Sx", "Sx", 1}, {"S\xe9", "S", 0}, {"S\x8c", "S", 0},
      {"S-x", "S", 1},          {"S.x", "S", 1},      {"xSb S", "S", 0},  // later ones not tried
      {"abc", "x", 0},          {"", "", 1},          {"ab", "", 0},
  };
  for (const auto& c : tokens) EXPECT_EQ(contains_token(c.text, c.token), c.expected) << c.text;
  for (const char c : std::string("aZ09._,@")) EXPECT_EQ(est_lc(c), 1) << c;
  for (const char c : std::string(" -+!/\xe9\0", 7)) EXPECT_EQ(est_lc(c), 0) << c;
}

TEST(Records, CutAtTheFirstOrLastSeparator) {
  const struct {
    const char* text;
    std::string first, first_rest, last, last_rest;
  } cases[] = {
      {"/a/b", "", "a/b", "/a", "b"}, {"a/b/c", "a", "b/c", "a/b", "c"},
      {"abc", "abc", "", "abc", ""},  {"a/", "a", "", "a", ""},
      {"", "", "", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    std::string rest = "old";
    EXPECT_EQ(next_record(c.text, '/', rest), c.first);
    EXPECT_EQ(rest, c.first_rest);
    EXPECT_EQ(last_record(c.text, '/', rest), c.last);
    EXPECT_EQ(rest, c.last_rest);
  }
  std::string same = "a/b/c";  // text and rest may be one string
  EXPECT_EQ(next_record(same, '/', same), "a");
  EXPECT_EQ(same, "b/c");
  EXPECT_EQ(last_record(same, '/', same), "b");
  EXPECT_EQ(same, "c");
}

TEST(Records, CutAtAnyOfASetAndReportIt) {
  const struct {
    const char* text;
    const char* set;
    const char* record;
    const char* rest;
    char found;
  } cases[] = {
      {"a=b;c", "=;", "a", "b;c", '='}, {"a;b=c", "=;", "a", "b=c", ';'},
      {"abc", ";", "abc", "", ' '},     {"a;b", "", "a;b", "", ' '},
      {"a;b", nullptr, "a;b", "", ' '},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    std::string rest = "old";
    char found = '?';
    EXPECT_EQ(next_record(c.text, c.set, rest, found), c.record);
    EXPECT_EQ(rest, c.rest);
    EXPECT_EQ(found, c.found);
  }
}

TEST(Tokenizer, CutsWordsSignedNumbersAndMarks) {
  std::vector<std::string> tokens;
  std::string rest = "  x1,y2-3 = -4.5";
  while (!rest.empty()) tokens.push_back(next_Stringtoken(rest, ' ', &rest));
  EXPECT_EQ(tokens, (std::vector<std::string>{"x1,y2", "-3", "=", "-4.5"}));

  const struct {
    const char* text;
    char sep;
    const char* token;
    const char* rest;
  } cases[] = {
      {"-12.5", ' ', "-12.5", ""}, {"-x", ' ', "-", "x"},       {"x", ' ', "x", ""},
      {"  -", ' ', "-", ""},       {"ab cd", ' ', "ab", " cd"}, {"a+b", ' ', "a", "+b"},
      {"-1.5", '.', "-1", ".5"},   {"..a.b", '.', "a", ".b"},   {"   ", ' ', "", ""},
      {"", ' ', "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    std::string after = "old";
    EXPECT_EQ(next_Stringtoken(c.text, c.sep, &after), c.token);
    EXPECT_EQ(after, c.rest);
  }
  EXPECT_EQ(next_Stringtoken("ab c", ' ', nullptr), "ab");
}

}  // namespace
