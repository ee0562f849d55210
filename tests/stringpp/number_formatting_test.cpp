// Number to text: fixed-width hexadecimal and base-2, decimal, letter-octal and dtoS.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "Stringpp.h"

namespace {

TEST(FixedWidthDigits, ShowTheLowBitsWithLeadingZeros) {
  const struct {
    std::string text;
    const char* expected;
  } cases[] = {
      {hex1toS(10), "a"},
      {hex1toS(-1), "f"},
      {hex2toS(-1), "ff"},
      {hex2toS(0x1ab), "ab"},
      {hex4toS(255), "00ff"},
      {hex4toS(-2), "fffe"},
      {hex8toS(0), "00000000"},
      {hex8toS(-1), "ffffffff"},
      {hex8toS(0x123456789aL), "3456789a"},
      {hex8toS(std::numeric_limits<long>::min()), "00000000"},
      {bin8toS(5), "00000101"},
      {bin8toS(-1), "11111111"},
      {bin8toS(0x103), "00000011"},
      {ctoS('x'), "x"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.text, c.expected);
  EXPECT_EQ(ctoS('\0'), std::string(1, '\0'));
}

TEST(DecimalAndLetterOctal, WriteEveryValueOfTheirType) {
  const struct {
    std::string text;
    const char* expected;
  } cases[] = {
      {unslong2S(0), "0"},
      {unslong2S(std::numeric_limits<unsigned long>::max()), "18446744073709551615"},
      {unslonglong2S(1000), "1000"},
      {long2S(-7), "-7"},
      {long2S(std::numeric_limits<long>::min()), "-9223372036854775808"},
      {longlong2S(std::numeric_limits<long long>::max()), "9223372036854775807"},
      {longlong2S(std::numeric_limits<long long>::min()), "-9223372036854775808"},
      {unslongbyS(0), "A"},
      {unslongbyS(7), "H"},
      {unslongbyS(8), "BA"},
      {unslongbyS(64), "BAA"},
      {unslongbyS(std::numeric_limits<unsigned long>::max()), "BHHHHHHHHHHHHHHHHHHHHH"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.text, c.expected);
}

TEST(FixedPoint, RoundsUpOnlyAboveOneHalf) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    double value;
    int digits;
    const char* expected;
  } cases[] = {
      {3.05, 2, "3.05"},
      {0.999, 2, "1.00"},
      {9.9999, 2, "10.00"},
      {-0.001, 2, "-0.00"},
      {2.5, 0, "2."},  // exactly one half stays down
      {-2.5, 0, "-2."},
      {0.125, 2, "0.12"},
      {2.7, 0, "3."},
      {1.5, -3, "1."},
      {0.0, 3, "0.000"},
      {-0.0, 1, "0.0"},
      {0.5, 20, "0.50000000000000000000"},
      {4611686018427387904.0, 3, "4611686018427387904.000"},  // 2^62
      {9223372036854774784.0, 0, "9223372036854774784."},     // largest below 2^63
      {9223372036854775808.0, 2, "9223372036854775808.00"},   // 2^63
      {-1e20, 1, "-100000000000000000000.0"},
      {std::nan(""), 2, "nan"},
      {inf, 2, "inf"},
      {-inf, 0, "-inf"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(dtoS(c.value, c.digits), c.expected);
  }
}

}  // namespace
