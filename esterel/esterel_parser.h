// The reader of Esterel v5: the syntax tree of a program's tokens, with every syntax error,
// located. After an error the parse resumes at the next statement, declaration or module, and
// an Error node stands where it could not read.
#ifndef MORVAC_ESTEREL_ESTEREL_PARSER_H
#define MORVAC_ESTEREL_ESTEREL_PARSER_H

#include <string>
#include <string_view>
#include <vector>

#include "esterel_scanner.h"
#include "esterel_tree.h"

namespace esterel {

struct SyntaxError {
  Span span;            // the unexpected token, or the place of a missing one
  std::string message;  // "syntax error, unexpected `end`, expecting `;` or `||`"
  Span found;           // the token that the parser could not take there
};

struct Parse {
  Tree tree;  // every node the parse made is in the tree under its root, a File node
  std::vector<SyntaxError> errors;  // in source order, one per mistake
  std::vector<Span> skipped;        // tokens `.`, `?` and `#` that no construct takes, read as
                                    // blanks (morvac skips them everywhere)
};

// Returns the tree of tokens (whose spans index source; the last one is the end of input).
[[nodiscard]] Parse parse_esterel(std::string_view source, const std::vector<Token>& tokens);

// Returns the tree of source, scanned by scan_esterel (its lexical errors are not reported).
[[nodiscard]] Parse read_esterel(std::string_view source);

}  // namespace esterel

#endif  // MORVAC_ESTEREL_ESTEREL_PARSER_H
