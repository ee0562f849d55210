// What the reader's grammar actions call: the state of one parse and the builders of its nodes.
// Internal to the reader.
#ifndef MORVAC_ESTEREL_GRAMMAR_ACTIONS_H
#define MORVAC_ESTEREL_GRAMMAR_ACTIONS_H

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "esterel_parser.h"

namespace esterel {

struct ParseState {
  std::string_view source;
  const std::vector<Token>* tokens = nullptr;
  Tree tree;
  std::vector<SyntaxError> errors;
  std::vector<Span> skipped;  // tokens read as blanks
  std::vector<LookaheadReduction> before_first_error;
  std::vector<NodeId> orphans;   // what errors discarded and no Error node holds yet
  NodeId open_module = kNoNode;  // a Module whose closing keywords are being read
};

// Returns the span from the first of the n parts that holds a token to the last part; an empty
// span at the end of parts[0] (the symbol before) when none does. parts[1] is the first part.
[[nodiscard]] Span span_of_parts(const Span* parts, int n);

// An incomplete Module of body, made before the closing keywords are read. Should an error cut
// it there, the next Error node takes it as it is.
NodeId open_module(ParseState& p, Span span, NodeId body);
// Returns module completed with its name and declarations, its closing keywords ending span.
NodeId close_module(ParseState& p, NodeId module, NodeId name, NodeId declarations, Span span);
// A new node with the given children.
NodeId node(ParseState& p, Kind kind, Span span, std::initializer_list<NodeId> children,
            std::uint16_t flags = 0);
// A None node at the end of span (the part before the absent one).
NodeId none(ParseState& p, Span before);
// A new list of kind with its first element.
NodeId list(ParseState& p, Kind kind, Span span, NodeId first, std::uint16_t flags = 0);
// Returns the list (of declarations or exec cases), no longer incomplete, its span set to span.
NodeId complete(ParseState& p, NodeId list, Span span);
// Returns node with the parts of list appended, its span set to span; list is left empty.
NodeId take_parts(ParseState& p, NodeId node, NodeId list, Span span);
// Returns node with part appended and its span set to span.
NodeId add_part(ParseState& p, NodeId node, NodeId part, Span span);
// Returns statement, marked as a then or else part.
NodeId branch(ParseState& p, NodeId statement);
// Returns node with its span set to span.
NodeId widen(ParseState& p, NodeId node, Span span);
// Returns node with its kind set to kind and its span to span.
NodeId relabel(ParseState& p, NodeId node, Kind kind, Span span);
// The File node, with its first module; it becomes the tree's root.
NodeId file(ParseState& p, NodeId module, Span span);
// A declaration list of kind that holds the Error node of a syntax error at error_span.
NodeId unread_list(ParseState& p, Kind kind, Span span, Span error_span);
// The Error node of a syntax error, holding what the error discarded.
NodeId error_node(ParseState& p, Span span);
// Keeps a node that an error discards, unless some node holds it.
void discard(ParseState& p, NodeId discarded);
// A Loop, or a LoopEach when each (the occurrence) is a node.
NodeId loop(ParseState& p, Span span, NodeId body, NodeId each);
// The Parallel of first and the branches after it (an incomplete Parallel).
NodeId join_first_branch(ParseState& p, NodeId first, NodeId rest, Span span);
// A Signal or TrapDecl of name and its channel: None, a SignalType, or a Signal that holds an
// initial value and a SignalType.
NodeId signal(ParseState& p, Kind kind, Span span, NodeId name, NodeId channel);
// Finishes the Run node names (made by the names) with its flags and renamings (kNoNode: none).
NodeId run(ParseState& p, Span span, NodeId flags, NodeId names, NodeId renamings);
// The flags carried as a value by OptPre, Positive and CopyModuleKw.
[[nodiscard]] inline std::uint16_t flags_of(NodeId value) {
  return static_cast<std::uint8_t>(value);
}

// Records a syntax error at the unexpected token; names are the grammar's symbol names.
void report_syntax_error(ParseState& p, Span at, const char* unexpected,
                         const std::vector<const char*>& expected);
// Records that the token `missing` is missing at place, before the token `before` at found.
void report_missing_token(ParseState& p, Span place, const char* missing, const char* before,
                          Span found);

}  // namespace esterel

#endif  // MORVAC_ESTEREL_GRAMMAR_ACTIONS_H
