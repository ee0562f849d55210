// Substitution, trimming, the LaTeX and RTF filters, the edit distance and Stoa.
#include <gtest/gtest.h>
#include <pthread.h>

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>

#include "Stringpp.h"

namespace {

TEST(Substitution, ReplacesLeftToRightWithoutRescanning) {
  const struct {
    std::string text;
    const char* expected;
  } cases[] = {
      {substitute_string("aaa", "aa", "b"), "ba"},
      {substitute_string("xyz", "y", "yy"), "xyyz"},
      {substitute_string("abc", "", "x"), "abc"},
      {substitute_string("", "a", "b"), ""},
      {substitute_char("a.b.", '.', "::"), "a::b::"},
      {substitute_char("a.b.", '.', '-'), "a-b-"},
      {substitute_char("aa", 'a', ""), ""},
      {substitute_token("x=x1+x", "x", "y"), "y=x1+y"},
      {substitute_token("a.b", "a", "z"), "a.b"},    // the full stop is a word character
      {substitute_token("abab", "ab", "Z"), "abZ"},  // right after the previous occurrence
      {substitute_token("xx", "x", "y"), "xy"},
      {substitute_token("ab ab", "ab", "Z"), "Z Z"},
      {substitute_token("emit S;", "S", "T"), "emit T;"},
      {substitute_token("abc", "", "Z"), "abc"},
      {cancel_begin_end_spaces("  a b  "), "a b"},
      {cancel_begin_end_spaces("   "), ""},
      {cancel_begin_end_spaces("\ta "), "\ta"},
      {clever_substitute_space("  a b ", '_'), "a_b"},
      {clever_substitute_space("a  b", '_'), "a__b"},
      {bdelete("\"x\""), "x"},
      {bdelete("abcd"), "bc"},
      {bdelete("ab"), ""},
      {bdelete("a"), ""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.text, c.expected);
}

TEST(TextFilters, EscapeForLatexAndRtfInTableOrder) {
  EXPECT_EQ(latex_String_filter("a_b_"), "a\\_b\\_");
  const struct {
    const char* text;
    const char* expected;
  } cases[] = {
      {"l'\xc3\xa9t\xc3\xa9", "l\\'91\\'e9t\\'e9"},
      {"'\xe2\x80\x99", "\\'91\\'27"},  // the apostrophe of \'27 is not escaped again
      {"\xc2\xabx\xc2\xbb", "\\'abx\\'bb"},
      {"a\xe2\x80\x93"
       "b",
       "a-b"},
      {"\xc3\x89\xc3\x88\xc3\x8a\xc3\x8b\xc3\x87", "\\'c9\\'c8\\'ca\\'cb\\'c7"},
      {"\xc3\xa9\xc3\xa8\xc3\xaa\xc3\xab\xc3\xa7\xc3\xa0\xc3\xb6\xc3\xb4\xc3\xae\xc3\xaf",
       "\\'e9\\'e8\\'ea\\'eb\\'e7\\'e0\\'f6\\'f4\\'ee\\'ef"},
      {"2\xc3\x97"
       "3 #$",
       "2x3 \\'23\\'24"},
      {"\xc3\xbc", "\xc3\xbc"},
  };
  for (const auto& c : cases) EXPECT_EQ(rtf_String_filter(c.text), c.expected) << c.text;
}

TEST(EditDistance, CountsByteEditsUpTo998Characters) {
  const std::string longest(998, 'a');
  const std::string too_long(999, 'a');
  const struct {
    std::string a, b;
    int distance;
    const char* trace;
  } cases[] = {
      {"flaw", "lawn", 2, ""},
      {"", "", 0, ""},
      {"abc", "", 3, ""},
      {"kitten", "sitting", 3, ""},
      {"\xc3\xa9", "e", 2, ""},
      {longest, "", 998, ""},
      {longest, longest + "", 0, ""},
      {too_long, "x", -1, "chaines trop grandes!\n"},
      {"x", too_long, -1, "chaines trop grandes!\n"},
  };
  for (const auto& c : cases) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(levenshtein(c.a, c.b), c.distance) << c.a.size() << " " << c.b.size();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), c.trace);
  }
}

// Worker for the small-stack test: the distance of two texts at the length limit.
void* distance_at_limit(void* result) {
  *static_cast<int*>(result) = levenshtein(std::string(998, 'a'), std::string(998, 'b'));
  return nullptr;
}

TEST(EditDistance, RunsOnASmallThreadStack) {
  pthread_attr_t attributes;
  ASSERT_EQ(pthread_attr_init(&attributes), 0);
  ASSERT_EQ(pthread_attr_setstacksize(&attributes, std::size_t{256} * 1024),
            0);  // far below a 4 MB table
  int distance = 0;
  pthread_t worker;
  ASSERT_EQ(pthread_create(&worker, &attributes, distance_at_limit, &distance), 0);
  ASSERT_EQ(pthread_join(worker, nullptr), 0);
  pthread_attr_destroy(&attributes);
  EXPECT_EQ(distance, 998);
}

TEST(CharacterArray, CopiesEveryCharacterAndEndsWithNul) {
  std::string text("a\0b", 3);
  const std::unique_ptr<char[]> copy(Stoa(text));
  text[0] = 'z';
  EXPECT_EQ(std::memcmp(copy.get(), "a\0b\0", 4), 0);
  EXPECT_STREQ(copy.get(), "a");
  const std::unique_ptr<char[]> empty(Stoa(""));
  EXPECT_EQ(empty[0], '\0');
}

}  // namespace
