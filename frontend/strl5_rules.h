// The lexical rules of Esterel v5: what one token is, found by longest match with the first
// listed rule winning ties, written directly instead of as tables.
//
// Every rule is decided by one forward scan from the token's first character. The one rule that
// may look far ahead and then take a single character (a run of minus signs, to see whether a
// number with a point follows) remembers what it saw, so that a long run costs its length once.
// A string that does not close looks ahead over characters that hold no double quote, so no
// later string attempt scans them again. Scanning is therefore linear in the input.
#ifndef MORVAC_FRONTEND_STRL5_RULES_H
#define MORVAC_FRONTEND_STRL5_RULES_H

#include <cstdint>
#include <string_view>

#include "parse_strl5.hh"

namespace strl5_rules {

// Result of a match: a token code and its length, the echo of one character, or the end of input.
struct Match {
  int code;  // token code, or kEcho, or kEndOfInput
  std::int64_t length;
  std::string_view trace;  // the token's trace text, empty when nothing is returned
};
constexpr int kEndOfInput = 0;
constexpr int kEcho = -1;

// What the scan of the last run of minus signs found after it; valid for every position of the
// run, since the characters after the run are the same.
struct MinusRun {
  std::int64_t end = -1;  // input offset just after the last minus sign
  std::int64_t digits = 0;
  bool point = false;
  std::int64_t fraction = 0;  // digits after the point
};

struct Keyword {
  std::string_view word;
  int code;
  std::string_view trace;
};
// Returns the keyword (or "mod") spelt word, or null when word is none.
const Keyword* find_keyword(std::string_view word);

// Character classes, looked up in one table (c is 0 to 255, or -1 past the end of input).
enum CharClass : unsigned char {
  kDigit = 1,
  kIdentifier = 2,    // letter, digit or underscore
  kString = 4,        // printable ASCII but the double quote, minus, @, brackets, ^ and |
  kAlwaysEchoed = 8,  // starts no rule: echoed whatever follows
};

constexpr unsigned char char_class_of(int c) {
  unsigned char classes = 0;
  const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
  const bool digit = c >= '0' && c <= '9';
  if (digit) classes |= kDigit;
  if (letter || digit || c == '_') classes |= kIdentifier;
  if (c >= 0x20 && c <= 0x7E && c != '"' && c != '-' && c != '@' && c != '[' && c != ']' &&
      c != '^' && c != '|') {
    classes |= kString;
  }
  const bool starts_a_rule = letter || digit || c == '_' || c == '"' || c == '-' || c == '!' ||
                             c == '|' || c == '[' || c == ']' ||
                             (c >= '(' && c <= '/' && c != '.') || (c >= ':' && c <= '>');
  if (!starts_a_rule) classes |= kAlwaysEchoed;
  return classes;
}

struct CharClassTable {
  unsigned char of[257];  // index c + 1, so that -1 (end of input) is in no class
};

constexpr CharClassTable make_char_class_table() {
  CharClassTable table{};
  for (int c = 0; c < 256; ++c) table.of[c + 1] = char_class_of(c);
  return table;
}

inline constexpr CharClassTable kCharClasses = make_char_class_table();

inline bool in_class(int c, CharClass wanted) {
  return (kCharClasses.of[c + 1] & wanted) != 0;
}
inline bool is_digit(int c) {
  return in_class(c, kDigit);
}
inline bool is_identifier_char(int c) {
  return in_class(c, kIdentifier);
}
inline bool is_string_char(int c) {
  return in_class(c, kString);
}
inline bool is_always_echoed(int c) {
  return in_class(c, kAlwaysEchoed);
}

// Matches one token at input offset `offset`. peek(i) returns the character i places after the
// token's start (0 to 255), or -1 past the end of input; start() returns the token's first
// character, followed by every character peeked so far.
template <class Peek, class Start>
Match match(Peek& peek, Start& start, std::int64_t offset, MinusRun& run) {
  const int c = peek(0);
  switch (c) {
    case -1:
      return {kEndOfInput, 0, {}};
    case '=':
      return {EQUAL, 1, "token = "};
    case '+':
      return {PLUS, 1, "token + "};
    case '*':
      return {MULT, 1, "token * "};
    case '/':
      return {SLASH, 1, "token / "};
    case '(':
      return {OPENP, 1, "token ( "};
    case ')':
      return {CLOSEP, 1, "token ) "};
    case '[':
      return {OPENC, 1, "token [ "};
    case ']':
      return {CLOSEC, 1, "token ] "};
    case ';':
      return {PVIRGULE, 1, "token ; "};
    case ',':
      return {VIRGULE, 1, "token , "};
    case ':':
      return {DEUXPOINTS, 1, "token : "};
    case '!':
      if (peek(1) == '=') return {NEQ, 2, "token != "};
      return {kEcho, 1, {}};
    case '<':
      if (peek(1) == '=') return {INFEQ, 2, "token <= "};
      return {INF, 1, "token < "};
    case '>':
      if (peek(1) == '=') return {SUPEQ, 2, "token >= "};
      return {SUP, 1, "token > "};
    case '|':
      if (peek(1) == '|') return {PARALLEL, 2, "token || "};
      return {kEcho, 1, {}};
    case '"': {
      std::int64_t n = 1;
      while (is_string_char(peek(n))) ++n;
      if (n > 1 && peek(n) == '"') return {STRING, n + 1, "token STRING "};
      return {kEcho, 1, {}};
    }
    case '-': {
      if (offset < run.end - 1) return {MINUS, 1, "token - "};  // inside a run already seen
      if (offset != run.end - 1) {
        std::int64_t n = 1;
        while (peek(n) == '-') ++n;
        run.end = offset + n;
        run.digits = 0;
        while (is_digit(peek(n + run.digits))) ++run.digits;
        run.point = run.digits > 0 && peek(n + run.digits) == '.';
        run.fraction = 0;
        if (run.point) {
          while (is_digit(peek(n + run.digits + 1 + run.fraction))) ++run.fraction;
          // Minus signs, digits, a point and digits: one number from the first minus sign.
          return {FLOAT, n + run.digits + 1 + run.fraction, "token FLOAT "};
        }
        if (n > 1) return {MINUS, 1, "token - "};
      }
      // The last minus sign of its run: a number when digits follow.
      if (run.digits > 0) return {FLOAT, 1 + run.digits, "token FLOAT "};
      return {MINUS, 1, "token - "};
    }
    default:
      break;
  }
  if (!is_identifier_char(c)) return {kEcho, 1, {}};
  std::int64_t digits = 0;
  while (is_digit(peek(digits))) ++digits;
  if (digits > 0 && !is_identifier_char(peek(digits))) {
    if (peek(digits) != '.') return {NATURAL, digits, "token NAT "};
    std::int64_t n = digits + 1;
    while (is_digit(peek(n))) ++n;
    return {FLOAT, n, "token FLOAT "};
  }
  std::int64_t n = digits;
  while (is_identifier_char(peek(n))) ++n;
  if (digits == 0 && n <= 11 && c >= 'a' && c <= 'z') {  // keywords are lower-case words
    if (const Keyword* keyword = find_keyword(std::string_view(start(), n))) {
      return {keyword->code, n, keyword->trace};
    }
  }
  return {IDS, n, "token IDS "};
}

}  // namespace strl5_rules

#endif  // MORVAC_FRONTEND_STRL5_RULES_H
