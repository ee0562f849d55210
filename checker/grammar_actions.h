// What the checker's grammar actions call: the state of one parse, and the builders of its
// syntax tree nodes, one per kind of construct.
#ifndef MORVAC_CHECKER_GRAMMAR_ACTIONS_H
#define MORVAC_CHECKER_GRAMMAR_ACTIONS_H

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "esterel_scanner.h"
#include "syntax_tree.h"

struct SyntaxError {
  Span span;  // the unexpected token
  std::string message;
};

struct CheckParse {
  std::string_view source;
  const std::vector<Token>* tokens = nullptr;
  std::size_t next = 0;  // index of the next token to deliver
  SyntaxTree tree;
  std::vector<SyntaxError> errors;
  bool uses_extension = false;  // a form that morvac's grammar lacks, read from morvac's tokens
};

// Returns the span from the first of the n parts that holds a token to the last part; an empty
// span at the end of parts[0] (the symbol before) when none does. parts[1] is the first part.
[[nodiscard]] Span span_of_parts(const Span* parts, int n);

// A construct with real text that needs the text of each part (none when no part has a node).
[[nodiscard]] NodeId needs(CheckParse& p, Span span, std::initializer_list<NodeId> parts);
// A construct with real text whose parts' texts are dropped (none when no part has a node).
[[nodiscard]] NodeId parts(CheckParse& p, Span span, std::initializer_list<NodeId> parts);
// A construct without Quarl text; its parts are read but not needed.
[[nodiscard]] NodeId without_text(CheckParse& p, Refusal construct, Span span,
                                  std::initializer_list<NodeId> parts);
// An expression or constant without Quarl text.
[[nodiscard]] NodeId value(CheckParse& p, Refusal construct, Span span);
// A construct that morvac refuses once it has been read.
[[nodiscard]] NodeId refused(CheckParse& p, Refusal construct, Span span,
                             std::initializer_list<NodeId> parts = {});
// A declaration that morvac skips.
[[nodiscard]] NodeId skipped(CheckParse& p, Refusal construct, Span span);
// A declaration that morvac refuses as soon as it has read its keyword.
[[nodiscard]] NodeId stop_first(CheckParse& p, Refusal construct, Span span);
// The place of a syntax error.
[[nodiscard]] NodeId error_node(CheckParse& p, Span span);
// Marks a form that morvac's grammar lacks; returns no node.
[[nodiscard]] NodeId extension(CheckParse& p);
// An expression form that morvac's grammar lacks (a trap's value `??T`).
[[nodiscard]] NodeId extension_value(CheckParse& p, Span span);

// Records a syntax error at the unexpected token; names are the grammar's symbol names.
void report_syntax_error(CheckParse& p, Span at, const char* unexpected,
                         const std::vector<const char*>& expected);

#endif  // MORVAC_CHECKER_GRAMMAR_ACTIONS_H
