// The decimal number syntax shared by checkdouble and Stod, so that the check and the reader
// can never disagree on what a number is.
#ifndef MORVAC_STRINGPP_DECIMAL_SYNTAX_H
#define MORVAC_STRINGPP_DECIMAL_SYNTAX_H

#include <string>
#include <string_view>

namespace stringpp {

// The pieces of a decimal number text; the views point into the scanned text.
struct DecimalParts {
  bool valid = false;
  bool negative = false;
  std::string_view integer_digits;
  std::string_view fraction_digits;
  bool exponent_negative = false;
  std::string_view exponent_digits;
};

// Returns the pieces of s read as: leading blanks, an optional "-", then "0" + separator +
// digits or a digit 1-9 + digits + optional (separator + digits), then an optional exponent
// (e or E, optional sign, digit 1-9, digits), nothing after. "0" alone is valid too.
[[nodiscard]] DecimalParts scan_decimal(const std::string& s, char separator);

}  // namespace stringpp

#endif  // MORVAC_STRINGPP_DECIMAL_SYNTAX_H
