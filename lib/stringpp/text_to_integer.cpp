// Text to integer: decimal, hexadecimal and base-2 readers that do not validate. All arithmetic
// is done on unsigned types so that wrap-around is defined whatever the text.
#include <iostream>
#include <type_traits>

#include "Stringpp.h"
#include "stringpp/char_classes.h"
#include "stringpp/text_search.h"

namespace {

// Reads s as a decimal number in the width of Signed: a leading "-" negates, every other
// character adds its code minus that of 0.
template <typename Signed>
Signed read_decimal_wrapping(const std::string& s) {
  using Unsigned = std::make_unsigned_t<Signed>;
  if (s.empty()) return 0;
  const bool negative = s[0] == '-';
  Unsigned value = negative ? 0 : static_cast<Unsigned>(s[0] - '0');
  for (std::string::size_type i = 1; i < s.size(); ++i) {
    value = value * 10 + static_cast<Unsigned>(s[i] - '0');
  }
  if (negative) value = Unsigned{0} - value;
  return static_cast<Signed>(value);
}

// Returns 2 to the power bits, 0 once it no longer fits in 64 bits (wrap-around).
unsigned long long power_of_two(std::string::size_type bits) {
  return bits >= 64 ? 0ULL : 1ULL << bits;
}

}  // namespace

// NOLINTBEGIN(performance-unnecessary-value-param): these take their text by value.
int Stoi(std::string s) {
  return read_decimal_wrapping<int>(s);
}

long Stol(std::string s) {
  return read_decimal_wrapping<long>(s);
}

long long Stoll(std::string s) {
  return read_decimal_wrapping<long long>(s);
}
// NOLINTEND(performance-unnecessary-value-param)

unsigned long long Stouhex(const std::string& s) {
  unsigned long long value = 0;
  for (const char c : s) value = value * 16 + stringpp::hex_digit_value(c);
  return value;
}

long long Stoshex(const std::string& s) {
  unsigned long long value = Stouhex(s);
  if (!s.empty() && s[0] > '7') value -= power_of_two(4 * s.size());
  return static_cast<long long>(value);
}

unsigned long long Stoubin(const std::string& s) {
  unsigned long long value = 0;
  for (const char c : s) value = value * 2 + static_cast<unsigned long long>(c - '0');
  return value;
}

long long Stosbin(const std::string& s) {
  if (s.empty()) return 0;
  if (s[0] == '0') return static_cast<long long>(Stoubin(s.substr(1)));
  // Sign bit set: read the other bits inverted, the value is minus that minus one.
  unsigned long long inverted = 0;
  for (std::string::size_type i = 1; i < s.size(); ++i) {
    inverted = inverted * 2 + static_cast<unsigned long long>(1 - (s[i] - '0'));
  }
  return static_cast<long long>(~inverted);
}

long Stoloruhex(const std::string& prefix, const std::string& text) {
  const std::string::size_type at = stringpp::find_text(text, prefix);
  if (at == std::string::npos) return Stol(text);
  return static_cast<long>(Stouhex(text.substr(at)));
}

long Stohex(const std::string& text, const std::string& suffix) {
  const std::string::size_type at = stringpp::find_text(text, suffix);
  if (at != std::string::npos) return static_cast<long>(Stouhex(text.substr(0, at)));
  const long value = Stol(text);
  std::cerr << "Decimal Conversion " << value << '\n';
  return value;
}
