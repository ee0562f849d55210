// The checker's syntax tree: an arena of nodes, each with the byte span of its construct and what
// morvac's translation does with it. Only constructs that matter to that translation get a node;
// the others (names, keywords, pass-through symbols) leave no trace.
#ifndef MORVAC_CHECKER_SYNTAX_TREE_H
#define MORVAC_CHECKER_SYNTAX_TREE_H

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "refusal.h"

// A byte range of the source, [begin, end).
struct Span {
  std::uint32_t begin = 0;
  std::uint32_t end = 0;
};

using NodeId = std::uint32_t;  // 0 is no node
constexpr NodeId kNoNode = 0;

// What morvac's translation makes of a construct, in the order of its reductions.
enum class Rule : std::uint8_t {
  List,         // holds parts and has real text (or none that anybody needs)
  Require,      // needs the text of each part, in order, once all parts are read
  WithoutText,  // has no Quarl text: refused by the first construct that needs it
  Refuse,       // refused outright when it has been read
  StopFirst,    // refused as soon as its keyword has been read
  Skip,         // skipped with a message when it has been read
  Error,        // a syntax error stands here
};

struct Node {
  Rule rule;
  Refusal construct;  // for WithoutText, Refuse, StopFirst and Skip
  Span span;
  NodeId first_child = kNoNode;
  NodeId last_child = kNoNode;
  NodeId next_sibling = kNoNode;
};

class SyntaxTree {
 public:
  SyntaxTree() { nodes_.push_back(Node{Rule::List, Refusal::None, {}}); }

  // Returns a new node with the given parts (kNoNode parts are left out).
  NodeId add(Rule rule, Refusal construct, Span span, std::initializer_list<NodeId> parts);
  // Returns list with part appended to its parts (a new list when list is kNoNode).
  NodeId append(NodeId list, NodeId part, Span span);

  [[nodiscard]] const Node& at(NodeId id) const { return nodes_[id]; }
  [[nodiscard]] std::size_t size() const { return nodes_.size(); }
  // The node of the whole file (a list of modules), or kNoNode.
  NodeId root = kNoNode;

 private:
  std::vector<Node> nodes_;
};

#endif  // MORVAC_CHECKER_SYNTAX_TREE_H
