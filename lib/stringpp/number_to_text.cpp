// Number to text: hexadecimal, base-2, decimal and letter-octal digits. Values are taken as
// unsigned so that shifts and the most negative value stay defined.
#include "Stringpp.h"

namespace {

// Returns the decimal digits of v, most significant first.
std::string decimal_digits(unsigned long long v) {
  std::string digits;
  do {
    digits.insert(digits.begin(), static_cast<char>('0' + v % 10));
    v /= 10;
  } while (v != 0);
  return digits;
}

// Returns the decimal text of v with a minus sign when negative.
std::string signed_decimal(long long v) {
  if (v >= 0) return decimal_digits(static_cast<unsigned long long>(v));
  return "-" + decimal_digits(0ULL - static_cast<unsigned long long>(v));
}

// Returns the low 4 * count bits of v as count small hexadecimal digits.
std::string hex_digits(unsigned long v, int count) {
  static const char kDigits[] = "0123456789abcdef";
  std::string text(static_cast<std::string::size_type>(count), '0');
  for (int i = count - 1; i >= 0; --i) {
    text[static_cast<std::string::size_type>(i)] = kDigits[v & 0xFU];
    v >>= 4;
  }
  return text;
}

}  // namespace

std::string ctoS(char c) {
  return std::string(1, c);
}

std::string hex1toS(int v) {
  return hex_digits(static_cast<unsigned>(v), 1);
}

std::string hex2toS(int v) {
  return hex_digits(static_cast<unsigned>(v), 2);
}

std::string hex4toS(int v) {
  return hex_digits(static_cast<unsigned>(v), 4);
}

std::string hex8toS(long v) {
  return hex_digits(static_cast<unsigned long>(v), 8);
}

std::string bin8toS(int v) {
  std::string text(8, '0');
  for (int bit = 0; bit < 8; ++bit) {
    if ((static_cast<unsigned>(v) >> bit) & 1U)
      text[static_cast<std::string::size_type>(7 - bit)] = '1';
  }
  return text;
}

std::string unslong2S(unsigned long v) {
  return decimal_digits(v);
}

std::string unslonglong2S(unsigned long long v) {
  return decimal_digits(v);
}

std::string long2S(long v) {
  return signed_decimal(v);
}

std::string longlong2S(long long v) {
  return signed_decimal(v);
}

std::string unslongbyS(unsigned long v) {
  std::string letters;
  do {
    letters.insert(letters.begin(), static_cast<char>('A' + v % 8));
    v /= 8;
  } while (v != 0);
  return letters;
}
