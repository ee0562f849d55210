// Text to real: Stod reads the decimal number syntax and applies the exponent one
// multiplication (or division) by ten at a time, so its rounding is that of those steps.
#include <cmath>

#include "Stringpp.h"
#include "stringpp/decimal_syntax.h"

namespace {

// More fraction digits than this cannot change a double; they are ignored.
constexpr int kMaxFractionDigits = 18;
// Any exponent beyond this already drives every value to 0 or infinity.
constexpr long kExponentCap = 100000;

}  // namespace

// NOLINTNEXTLINE(performance-unnecessary-value-param): the text is taken by value.
double Stod(std::string s, char separator) {
  const stringpp::DecimalParts parts = stringpp::scan_decimal(s, separator);
  if (!parts.valid) return 0.0;

  double integer_part = 0.0;  // exact up to 2^53, then rounded, then infinity
  for (const char c : parts.integer_digits) integer_part = integer_part * 10.0 + (c - '0');

  unsigned long long fraction = 0;
  unsigned long long divisor = 1;
  int fraction_digits = 0;
  for (const char c : parts.fraction_digits) {
    if (fraction_digits++ == kMaxFractionDigits) break;
    fraction = fraction * 10 + static_cast<unsigned long long>(c - '0');
    divisor *= 10;
  }

  long exponent = 0;
  for (const char c : parts.exponent_digits) {
    exponent = exponent * 10 + (c - '0');
    if (exponent > kExponentCap) exponent = kExponentCap;
  }

  const double sign = parts.negative ? -1.0 : 1.0;
  double value =
      (static_cast<double>(fraction) / static_cast<double>(divisor) + integer_part) * sign;
  for (long step = 0; step < exponent; ++step) {
    if (value == 0.0 || std::isinf(value)) break;  // no further step can change it
    value = parts.exponent_negative ? value / 10.0 : value * 10.0;
  }
  return value;
}
