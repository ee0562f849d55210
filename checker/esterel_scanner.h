// The checker's scanner: Esterel v5 as people write it, with the byte span of every token.
//
// Beyond what morvac reads it takes `%` line comments, `%{ ... }%` comment blocks, `:=`, `?`,
// `??`, `#`, `=>`, `<>`, `.`, strings with doubled quotes, numbers with exponents and an `f`
// suffix, `elsif`, and reads `x-5` as three tokens. Keywords are morvac's own table plus
// `elsif`; token codes are morvac's where morvac has the token. One pass, linear in the input.
#ifndef MORVAC_CHECKER_ESTEREL_SCANNER_H
#define MORVAC_CHECKER_ESTEREL_SCANNER_H

#include <cstdint>
#include <string_view>
#include <vector>

#include "syntax_tree.h"

struct Token {
  int code;  // a token code of the checker's grammar; 0 at the end of input
  Span span;
};

enum class LexProblem : std::uint8_t {
  UnclosedComment,  // `%{` without `}%`
  UnclosedString,   // a string that a line end cuts
  StrayCharacters,  // characters that start no token
};

struct LexError {
  LexProblem problem;
  Span span;
};

struct EsterelScan {
  std::vector<Token> tokens;  // the last one is the end of input, code 0
  std::vector<Span> comments;
  std::vector<LexError> errors;
};

// Returns the tokens, comments and lexical errors of source, in source order.
[[nodiscard]] EsterelScan scan_esterel(std::string_view source);

#endif  // MORVAC_CHECKER_ESTEREL_SCANNER_H
