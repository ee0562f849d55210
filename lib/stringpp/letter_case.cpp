// Letter case and accents: ASCII case changes, accent stripping for ISO 8859-1 and UTF-8 texts,
// and the ISO 8859-1 letter test.
#include <utility>

#include "Stringpp.h"
#include "stringpp/char_classes.h"

namespace {

using stringpp::byte_of;

// Marks a byte that the upper-casing functions leave out.
constexpr int kDropped = -1;

char raised(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Returns the upcase form of one byte: the raised ASCII byte, or kDropped from 128 on.
int plain_capital(char c) {
  return byte_of(c) < 128 ? raised(c) : kDropped;
}

// Returns the capital without accent for one ISO 8859-1 byte, or kDropped.
int iso_capital(char c) {
  switch (byte_of(c)) {
    case 232:  // è
    case 233:  // é
    case 234:  // ê
      return 'E';
    case 224:  // à
    case 226:  // â
      return 'A';
    case 244:  // ô
      return 'O';
    case 231:  // ç
      return 'C';
    case 140:
      return 'I';
    default:
      return plain_capital(c);
  }
}

// Returns the capital without accent for the second byte of a UTF-8 sequence led by 195, or
// kDropped when that letter has no mapping.
int capital_after_195(unsigned char second) {
  switch (second) {
    case 182:  // ö
    case 180:  // ô
      return 'O';
    case 174:  // î
    case 173:  // í
      return 'I';
    case 171:  // ë
    case 169:  // é
    case 168:  // è
      return 'E';
    case 167:  // ç
      return 'C';
    case 164:  // ä
    case 161:  // á
      return 'A';
    default:
      return kDropped;
  }
}

// Rewrites s in place byte by byte with capital_of, leaving out the dropped bytes.
std::string map_bytes(std::string s, int (*capital_of)(char)) {
  std::string::size_type kept = 0;
  for (const char c : s) {
    const int capital = capital_of(c);
    if (capital != kDropped) s[kept++] = static_cast<char>(capital);
  }
  s.resize(kept);
  return s;
}

}  // namespace

std::string downcase(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return s;
}

std::string upcase(std::string s) {
  return map_bytes(std::move(s), plain_capital);
}

std::string upcase_accent(std::string s) {
  return map_bytes(std::move(s), iso_capital);
}

std::string upcase_accent2(std::string s) {
  std::string::size_type kept = 0;  // compacts s in place: the output never outgrows the input
  std::string::size_type i = 0;
  while (i < s.size()) {
    const unsigned char lead = byte_of(s[i]);
    if (lead < 128) {
      s[kept++] = raised(s[i]);
      ++i;
      continue;
    }
    // A two-byte sequence; a lead byte at the very end has no second byte and goes alone.
    const unsigned char second = i + 1 < s.size() ? byte_of(s[i + 1]) : 0;
    int capital = kDropped;
    if (lead == 196 && second == 177) {  // dotless i
      capital = 'I';
    } else if (lead == 195) {
      capital = capital_after_195(second);
    }
    if (capital != kDropped) s[kept++] = static_cast<char>(capital);
    i += 2;
  }
  s.resize(kept);
  return s;
}

int check_ISO_8859_1_alphabetical_letter(char c) {
  const unsigned char code = byte_of(c);
  if (stringpp::is_ascii_letter(c) || code == 181) return 1;
  if (code < 192) return 0;
  return code == 215 || code == 216 || code == 247 || code == 248 ? 0 : 1;
}
