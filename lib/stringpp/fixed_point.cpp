// dtoS: fixed-point text of a double. The fraction is scaled as 1 + fraction so that its
// leading zeros survive as digits after a leading 1 (or a 2 when rounding reached the next unit).
#include <cmath>
#include <cstdio>

#include "Stringpp.h"

namespace {

// 10^18 is the largest power of ten whose doubled value still fits the scaled integer.
constexpr int kMaxComputedDigits = 18;
// 2^63: from here on the integer part no longer fits a signed 64-bit integer.
constexpr double kTwoPow63 = 9223372036854775808.0;

// Returns the exact decimal digits of an integral double (every double >= 2^53 is integral).
std::string integral_digits(double d) {
  char buffer[400];  // the largest double has 309 digits
  std::snprintf(buffer, sizeof buffer, "%.0f", d);
  return buffer;
}

}  // namespace

std::string dtoS(double d, int n) {
  if (std::isnan(d)) return "nan";
  if (std::isinf(d)) return d < 0 ? "-inf" : "inf";

  std::string sign;
  if (d < 0) {
    sign = "-";
    d = -d;
  }
  const int wanted = n > 0 ? n : 0;
  const int computed = wanted < kMaxComputedDigits ? wanted : kMaxComputedDigits;
  const std::string padding(static_cast<std::string::size_type>(wanted - computed), '0');

  if (d >= kTwoPow63) {
    return sign + integral_digits(d) + "." +
           std::string(static_cast<std::string::size_type>(wanted), '0');
  }

  long long integer = static_cast<long long>(d);
  const double fraction = d - static_cast<double>(integer);
  unsigned long long scale = 1;
  for (int i = 0; i < computed; ++i) scale *= 10;

  const double scaled = static_cast<double>(scale) * (1.0 + fraction);
  unsigned long long rounded = static_cast<unsigned long long>(scaled);
  if (scaled - static_cast<double>(rounded) > 0.5) ++rounded;  // exactly .5 stays down

  const std::string digits = unslonglong2S(rounded);  // computed + 1 digits, led by 1 or 2
  if (digits[0] == '2') ++integer;
  return sign + longlong2S(integer) + "." + digits.substr(1) + padding;
}
