// Byte classes shared by the Stringpp implementation files. They look at single bytes only and,
// unlike <cctype>, accept any char (negative ones included) and ignore the locale.
#ifndef MORVAC_STRINGPP_CHAR_CLASSES_H
#define MORVAC_STRINGPP_CHAR_CLASSES_H

namespace stringpp {

// Returns the byte value of c, 0 to 255.
constexpr unsigned char byte_of(char c) {
  return static_cast<unsigned char>(c);
}

// Returns true for 0 to 9.
constexpr bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// Returns true for A to Z and a to z.
constexpr bool is_ascii_letter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Returns true for 0 to 9, a to f and A to F.
constexpr bool is_hex_digit(char c) {
  return is_digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Returns the value of a hexadecimal digit, 0 for any other character.
constexpr unsigned hex_digit_value(char c) {
  if (is_digit(c)) return static_cast<unsigned>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
  if (c >= 'A' && c <= 'F') return static_cast<unsigned>(c - 'A' + 10);
  return 0;
}

}  // namespace stringpp

#endif  // MORVAC_STRINGPP_CHAR_CLASSES_H
