// What a module declares, as writing out a `run` of it needs: its interface signals, its data
// declarations and the names that its body declares for itself.
#ifndef MORVAC_CHECKER_MODULE_FACTS_H
#define MORVAC_CHECKER_MODULE_FACTS_H

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "esterel_parser.h"

using esterel::Kind;
using esterel::NodeId;
using esterel::Span;
using esterel::Token;

// The kinds of data that a module declares and a run renames, each a namespace of its own.
enum class DataKind { Type, Constant, Function, Procedure, Task };

// Returns the keyword that declares kind ("type").
[[nodiscard]] const char* data_keyword(DataKind kind);

struct InterfaceSignal {
  Kind direction;         // Inputs, Outputs, InputOutputs, Returns or Sensors
  std::string signature;  // what follows the name, tokens joined: "" (pure), ": integer"
};

struct ModuleFacts {
  std::string name;
  std::size_t file = 0;  // the index of its file
  NodeId node = esterel::kNoNode;
  NodeId first_id = 1;  // its nodes are the ids first_id..node
  std::map<std::string, InterfaceSignal> signals;
  std::map<std::pair<DataKind, std::string>, std::string> data;  // what follows the keyword
  std::set<std::string> locals;  // declared in the body: local signals, variables, traps
};

// Returns the facts of each module of a file read without a syntax error, in source order.
[[nodiscard]] std::vector<ModuleFacts> module_facts(std::string_view source,
                                                    const std::vector<Token>& tokens,
                                                    const esterel::Tree& tree, std::size_t file);

// Returns the tokens of span joined as a declaration is written: a blank between two tokens,
// none inside parentheses or before a comma ("F(integer, integer) : integer").
[[nodiscard]] std::string joined_tokens(std::string_view source, const std::vector<Token>& tokens,
                                        Span span);

// Returns the signature of a Signal node of the tree: its tokens after the name.
[[nodiscard]] std::string signal_signature(std::string_view source,
                                           const std::vector<Token>& tokens,
                                           const esterel::Tree& tree, NodeId signal);

// Returns text with every name that names holds replaced by its image; the rest as it is.
[[nodiscard]] std::string renamed_text(std::string_view text,
                                       const std::unordered_map<std::string, std::string>& names);

#endif  // MORVAC_CHECKER_MODULE_FACTS_H
