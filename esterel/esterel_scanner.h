// The scanner of Esterel v5 as people write it, with the byte span of every token.
//
// It takes `%` line comments, `%{ ... }%` comment blocks, `:=`, `?`, `??`, `#`, `=>`, `<>`,
// `.`, strings with doubled quotes, numbers with exponents and an `f` suffix, and reads `x-5`
// as three tokens. Programs meant for the C preprocessor hold its lines (`#include`, `#ifdef`...)
// and C comments (`/* */`, `//`): these are read as comments. Bytes that are no text of the
// language (a byte-order mark, no-break spaces, NUL, control and non-ASCII characters) are read
// as blanks, as morvac reads them, and so are characters that start no token; both are listed. Keywords are lower case: the words of morvac's scanner and `elsif`. Token
// codes are those of esterel_grammar.hh (TOK_IDS...), which are morvac's own codes wherever
// morvac has the token, so that token lists of both scanners compare code for code. One pass,
// linear in the input.
#ifndef MORVAC_ESTEREL_ESTEREL_SCANNER_H
#define MORVAC_ESTEREL_ESTEREL_SCANNER_H

#include <cstdint>
#include <string_view>
#include <vector>

#include "esterel_grammar.hh"
#include "esterel_tree.h"

namespace esterel {

struct Token {
  int code;  // a token code of esterel_grammar.hh (TOK_...), or the character itself; 0 at the end
  Span span;
};

enum class LexProblem : std::uint8_t {
  UnclosedComment,   // `%{` without `}%`
  UnclosedCComment,  // `/*` without `*/`
  UnclosedString,    // a string that a line end cuts
  StrayCharacters,   // printable characters that start no token, read as blanks
};

struct LexError {
  LexProblem problem;
  Span span;
};

struct EsterelScan {
  std::vector<Token> tokens;  // the last one is the end of input, code 0
  std::vector<Span> comments;     // `%`, `%{ }%`, `/* */` and `//` comments
  std::vector<Span> directives;   // lines of the C preprocessor, with their continuations
  std::vector<Span> no_text;      // characters that are no text, one span each (read as blanks)
  std::vector<LexError> errors;
};

// Returns the tokens, comments and lexical errors of source, in source order.
[[nodiscard]] EsterelScan scan_esterel(std::string_view source);

}  // namespace esterel

#endif  // MORVAC_ESTEREL_ESTEREL_SCANNER_H
