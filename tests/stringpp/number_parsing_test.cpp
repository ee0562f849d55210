// Text to number: the integer readers, Stod and the syntax checks.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "Stringpp.h"

namespace {

constexpr long long kMin64 = std::numeric_limits<long long>::min();
constexpr long long kMax64 = std::numeric_limits<long long>::max();
constexpr unsigned long long kMaxU64 = std::numeric_limits<unsigned long long>::max();

TEST(DecimalReaders, WrapInTheirWidth) {
  const struct {
    const char* text;
    int as_int;
    long long as_64;
  } cases[] = {
      {"", 0, 0},
      {"-", 0, 0},
      {"0", 0, 0},
      {"7", 7, 7},
      {"-42", -42, -42},
      {"2147483647", 2147483647, 2147483647},
      {"2147483648", std::numeric_limits<int>::min(), 2147483648LL},
      {"-2147483648", std::numeric_limits<int>::min(), -2147483648LL},
      {"9223372036854775807", -1, kMax64},
      {"-9223372036854775808", 0, kMin64},
      {"9223372036854775808", 0, kMin64},
      {"+1", -49, -49},  // not validated: "+" counts as the digit -5
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Stoi(c.text), c.as_int);
    EXPECT_EQ(Stol(c.text), c.as_64);
    EXPECT_EQ(Stoll(c.text), c.as_64);
  }
}

TEST(HexadecimalAndBinaryReaders, ReadTwoSComplementOfTheirOwnLength) {
  const struct {
    const char* text;
    unsigned long long hex_unsigned;
    long long hex_signed;
  } hex_cases[] = {
      {"", 0, 0},
      {"7F", 127, 127},
      {"FF", 255, -1},
      {"ff", 255, -1},
      {"FFFF", 65535, -1},
      {"8", 8, -8},
      {"80", 128, -128},
      {"800", 2048, -2048},
      {"7FFFFFFF", 2147483647, 2147483647},
      {"FFFFFFFF", 4294967295, -1},
      {"1g", 16, 16},  // a non-digit still shifts by one digit
      {"8000000000000000", 1ULL << 63, kMin64},
      {"ffffffffffffffff", kMaxU64, -1},
      {"10000000000000000", 0, 0},
  };
  for (const auto& c : hex_cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Stouhex(c.text), c.hex_unsigned);
    EXPECT_EQ(Stoshex(c.text), c.hex_signed);
  }
  const struct {
    const char* text;
    unsigned long long bin_unsigned;
    long long bin_signed;
  } bin_cases[] = {
      {"", 0, 0},
      {"0", 0, 0},
      {"1", 1, -1},
      {"01", 1, 1},
      {"10", 2, -2},
      {"11", 3, -1},
      {"0101", 5, 5},
      {"1000", 8, -8},
      {"1111111111111111111111111111111111111111111111111111111111111111", kMaxU64, -1},
  };
  for (const auto& c : bin_cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Stoubin(c.text), c.bin_unsigned);
    EXPECT_EQ(Stosbin(c.text), c.bin_signed);
  }
}

TEST(PrefixAndSuffixReaders, ChooseHexadecimalOrDecimal) {
  EXPECT_EQ(Stoloruhex("0x", "0x1F"), 31);
  EXPECT_EQ(Stoloruhex("0x", "ab0x10"), 16);  // read from the prefix on
  EXPECT_EQ(Stoloruhex("0x", "-12"), -12);
  const struct {
    const char* text;
    long value;
    const char* trace;
  } cases[] = {
      {"1Fh", 31, ""},
      {"h", 0, ""},
      {"123", 123, "Decimal Conversion 123\n"},
      {"-5", -5, "Decimal Conversion -5\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    testing::internal::CaptureStderr();
    EXPECT_EQ(Stohex(c.text, "h"), c.value);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), c.trace);
  }
}

TEST(DecimalNumbers, CheckAndReadAgree) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    const char* text;
    char separator;
    int valid;
    double value;
  } cases[] = {
      {"0", '.', 1, 0.0},
      {"-0.5", '.', 1, -0.5},
      {"12", '.', 1, 12.0},
      {"12.5e3", '.', 1, 12500.0},
      {"1E-2", '.', 1, 0.01},
      {"1.5e+2", '.', 1, 150.0},
      {"0.05", '.', 1, 0.05},
      {"3,14", ',', 1, 3.14},
      {"  7", '.', 1, 7.0},
      {"-0", '.', 0, 0.0},
      {".5", '.', 0, 0.0},
      {"5.", '.', 0, 0.0},
      {"05", '.', 0, 0.0},
      {"1e0", '.', 0, 0.0},
      {"1e05", '.', 0, 0.0},
      {"1e", '.', 0, 0.0},
      {"12 ", '.', 0, 0.0},
      {"+1", '.', 0, 0.0},
      {"- 1", '.', 0, 0.0},
      {"3.14", ',', 0, 0.0},
      {"", '.', 0, 0.0},
      {"   ", '.', 0, 0.0},
      {"1e-400", '.', 1, 0.0},
      {"1.8e308", '.', 1, inf},
      {"-1e400", '.', 1, -inf},
      // Beyond the 32-bit counters: read with correct rounding.
      {"2147483648", '.', 1, 2147483648.0},
      {"-9223372036854775808", '.', 1, -9223372036854775808.0},
      {"0.0000000000000000001", '.', 1, 1e-19},
      {"0.1234567890123456789999", '.', 1, 0.12345678901234568},
      {"1.7976931348623157e308", '.', 1, std::numeric_limits<double>::max()},
      {"12345678901e-400", '.', 1, 0.0},
      {"5e99999999999999999999", '.', 1, inf},
      {"-5e99999999999999999999", '.', 1, -inf},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(checkdouble(c.text, c.separator), c.valid);
    EXPECT_DOUBLE_EQ(Stod(c.text, c.separator), c.value);
  }
  EXPECT_EQ(Stod("1" + std::string(400, '0') + "e-400", '.'), 1.0);
}

TEST(SyntaxChecks, AcceptExactlyTheirForms) {
  const struct {
    const char* text;
    int uint, sint, hex, hexintel, bin, number_first;
  } cases[] = {
      {"", 0, 0, 1, 0, 1, 0},     {"0", 1, 1, 1, 0, 1, 1},   {"0101", 1, 1, 1, 0, 1, 1},
      {"-12", 0, 1, 0, 0, 0, 0},  {"-", 0, 0, 0, 0, 0, 0},   {"1-", 0, 0, 0, 0, 0, 1},
      {"1a", 0, 0, 1, 0, 0, 1},   {"1Fh", 0, 0, 0, 1, 0, 1}, {"h", 0, 0, 0, 1, 0, 0},
      {"H", 0, 0, 0, 0, 0, 0},    {"1hh", 0, 0, 0, 0, 0, 1}, {"12 ", 0, 0, 0, 0, 0, 1},
      {"\xb2", 0, 0, 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(checkuint(c.text), c.uint);
    EXPECT_EQ(checkint(c.text), c.sint);
    EXPECT_EQ(checkhex(c.text), c.hex);
    EXPECT_EQ(checkhexintel(c.text), c.hexintel);
    EXPECT_EQ(checkbin(c.text), c.bin);
    EXPECT_EQ(beginbynumber(c.text), c.number_first);
  }
}

}  // namespace
