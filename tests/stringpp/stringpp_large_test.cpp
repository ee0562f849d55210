// Stringpp on texts of 2^31 characters and more, past what an int counts. They take gigabytes,
// so they carry the CTest label "large": `make test` leaves them out and `make test-large` runs
// them one at a time with MORVAC_LARGE_TESTS=1 (without it they skip). Peak memory and time of
// each on the build machine (2 cores, -O2) are in its comment: about a minute in all, 8 GiB at
// most, mostly the kernel's time to hand out fresh pages.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "Stringpp.h"

namespace {

constexpr std::size_t k2To31 = std::size_t{1} << 31;
constexpr std::size_t k2To32 = std::size_t{1} << 32;

class LargeTexts : public testing::Test {
 protected:
  void SetUp() override {
    if (std::getenv("MORVAC_LARGE_TESTS") == nullptr) {
      GTEST_SKIP() << "needs gigabytes of memory: make test-large runs it";
    }
  }
};

// The sizes at which an int length failed: 2^31 - 1 overflowed the NUL's place, 2^31 asked for
// a negative size, 2^32 + 1 allocated 2 bytes for the whole text. Marks around the 2^31 and 2^32
// boundaries make a shifted or truncated copy differ. Peak 8.0 GiB (4 GiB text and its copy),
// about 35 s.
TEST_F(LargeTexts, StoaCopiesEveryCharacter) {
  const std::size_t marks[] = {0, k2To31 - 2, k2To31 - 1, k2To31, k2To32 - 1, k2To32};
  std::string text;
  text.reserve(k2To32 + 1);
  for (const std::size_t size : {k2To31 - 1, k2To31, k2To32 + 1}) {
    text.assign(size, 'x');
    char mark = 'a';
    for (const std::size_t at : marks) {
      if (at < size) text[at] = mark++;
    }
    const std::unique_ptr<char[]> copy(Stoa(text));
    EXPECT_EQ(std::memcmp(copy.get(), text.data(), size), 0) << size;
    EXPECT_EQ(copy[size], '\0') << size;
  }
}

// Counts past the largest int saturate instead of wrapping (2^31 came back negative, 2^32 + 1
// as 1). Peak 4.0 GiB, about 18 s.
TEST_F(LargeTexts, CharOccurencesSaturatesAtTheLargestInt) {
  struct Case {
    std::size_t size;
    int expected;
  };
  std::string text;
  text.reserve(k2To32 + 1);
  for (const Case c :
       {Case{k2To31 - 1, INT_MAX - 1}, Case{k2To31, INT_MAX}, Case{k2To32 + 1, INT_MAX}}) {
    text.assign(c.size, 'x');
    if (c.size < k2To31) text.back() = 'y';
    EXPECT_EQ(char_occurences(text, 'x'), c.expected) << c.size;
    EXPECT_EQ(char_occurences(text, 'y'), c.size < k2To31 ? 1 : 0) << c.size;
  }
}

// Positions are ints: the largest reaches into a longer text and clips there. Peak 4.0 GiB,
// about 7 s.
TEST_F(LargeTexts, PositionsReachTheLargestInt) {
  std::string text(k2To31 + 2, 'x');
  text.replace(INT_MAX - 1, 4, "abcd");
  EXPECT_EQ(my_after(text, INT_MAX), "bcd");
  EXPECT_EQ(my_at(text, INT_MAX - 1, INT_MAX), "a");
  const std::string head = my_before(text, INT_MAX);
  EXPECT_EQ(head.size(), std::size_t{INT_MAX});
  EXPECT_EQ(head.back(), 'a');
}

}  // namespace
