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

// A part of a LookaheadReduction: a node of the tree, or what an earlier reduction of the list
// made (no node stands for it).
struct ReductionPart {
  NodeId node = kNoNode;  // a construct's node; kNoNode for a token or a reduction's result
  int reduction = -1;     // the index of the reduction that made it, or -1
  Span span;
};

// A reduction that a parser which stops at its first syntax error (as morvac's does) makes on the
// token of that error before it finds the error, where the reading put in a missing token that
// leads elsewhere: `await 2 S nothing` is read as `await 2 S do nothing`, but such a parser
// reduces `await 2 S` first. The tree holds the form with the missing token.
struct LookaheadReduction {
  std::string_view rule;                 // the rule's left side, as the grammar names it
  std::vector<std::string_view> symbols;  // its right side, as the grammar names it
  std::vector<ReductionPart> parts;       // one per symbol
  ReductionPart before;                   // what stands just before the right side
  Span span;
};

struct Parse {
  Tree tree;  // every node the parse made is in the tree under its root, a File node
  std::vector<SyntaxError> errors;  // in source order, one per mistake
  std::vector<Span> skipped;        // tokens `.`, `?` and `#` that no construct takes, read as
                                    // blanks (morvac skips them everywhere)
  std::vector<LookaheadReduction> before_first_error;  // in the order they are made
};

// Returns the tree of tokens (whose spans index source; the last one is the end of input).
[[nodiscard]] Parse parse_esterel(std::string_view source, const std::vector<Token>& tokens);

// Returns the tree of source, scanned by scan_esterel (its lexical errors are not reported).
[[nodiscard]] Parse read_esterel(std::string_view source);

}  // namespace esterel

#endif  // MORVAC_ESTEREL_ESTEREL_PARSER_H
