// Text to real: Stod reads the decimal number syntax and applies the exponent one
// multiplication (or division) by ten at a time, so its rounding is that of those steps.
// Texts whose parts do not fit the 32-bit counters of that method are read with correct
// rounding instead.
#include <cmath>
#include <cstdlib>
#include <string_view>

#include "Stringpp.h"
#include "stringpp/decimal_syntax.h"

namespace {

constexpr std::string_view kMaxCounter = "2147483647";
constexpr std::string::size_type kMaxFractionDigits = 9;
// Saturation of decimal exponents: far beyond where every double is 0 or infinity.
constexpr long long kExponentCap = 1000000000000LL;

// Returns true when the digits, read as a number, exceed 2147483647 (no leading zeros).
bool exceeds_counter(std::string_view digits) {
  return digits.size() > kMaxCounter.size() ||
         (digits.size() == kMaxCounter.size() && digits > kMaxCounter);
}

// Returns the exponent digits as a number, saturated at kExponentCap.
long long saturated_exponent(std::string_view digits) {
  long long exponent = 0;
  for (const char c : digits) {
    exponent = exponent * 10 + (c - '0');
    if (exponent > kExponentCap) return kExponentCap;
  }
  return exponent;
}

// Returns the correctly rounded value of the parts. The text handed to strtod holds only
// digits, signs and "e", so the locale's decimal point plays no part.
double read_correctly_rounded(const stringpp::DecimalParts& parts) {
  std::string text = parts.negative ? "-" : "";
  text.append(parts.integer_digits).append(parts.fraction_digits);
  const long long exponent =
      (parts.exponent_negative ? -1 : 1) * saturated_exponent(parts.exponent_digits) -
      static_cast<long long>(parts.fraction_digits.size());
  text += "e" + std::to_string(exponent);
  return std::strtod(text.c_str(), nullptr);  // overflow gives +-HUGE_VAL (infinity), underflow 0
}

// Returns the value of in-range parts computed step by step.
double read_step_by_step(const stringpp::DecimalParts& parts) {
  long integer_part = 0;
  for (const char c : parts.integer_digits) integer_part = integer_part * 10 + (c - '0');
  long fraction = 0;
  long divisor = 1;
  for (const char c : parts.fraction_digits) {
    fraction = fraction * 10 + (c - '0');
    divisor *= 10;
  }
  const long long exponent = saturated_exponent(parts.exponent_digits);
  const double sign = parts.negative ? -1.0 : 1.0;
  double value = (static_cast<double>(fraction) / static_cast<double>(divisor) +
                  static_cast<double>(integer_part)) *
                 sign;
  for (long long step = 0; step < exponent; ++step) {
    if (value == 0.0 || std::isinf(value)) break;  // no further step can change it
    value = parts.exponent_negative ? value / 10.0 : value * 10.0;
  }
  return value;
}

}  // namespace

// NOLINTNEXTLINE(performance-unnecessary-value-param): the text is taken by value.
double Stod(std::string s, char separator) {
  const stringpp::DecimalParts parts = stringpp::scan_decimal(s, separator);
  if (!parts.valid) return 0.0;
  const bool in_range = !exceeds_counter(parts.integer_digits) &&
                        parts.fraction_digits.size() <= kMaxFractionDigits &&
                        !exceeds_counter(parts.exponent_digits);
  return in_range ? read_step_by_step(parts) : read_correctly_rounded(parts);
}
