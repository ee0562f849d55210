#include "syntax_tree.h"

NodeId SyntaxTree::add(Rule rule, Refusal construct, Span span,
                       std::initializer_list<NodeId> parts) {
  const auto id = static_cast<NodeId>(nodes_.size());
  nodes_.push_back(Node{rule, construct, span});
  for (const NodeId part : parts) {
    if (part == kNoNode) continue;
    Node& node = nodes_[id];
    if (node.last_child == kNoNode) {
      node.first_child = part;
    } else {
      nodes_[node.last_child].next_sibling = part;
    }
    node.last_child = part;
  }
  return id;
}

NodeId SyntaxTree::append(NodeId list, NodeId part, Span span) {
  if (list == kNoNode && part == kNoNode) return kNoNode;
  if (list == kNoNode) return add(Rule::List, Refusal::None, span, {part});
  Node& node = nodes_[list];
  node.span = span;
  if (part == kNoNode) return list;
  if (node.last_child == kNoNode) {
    node.first_child = part;
  } else {
    nodes_[node.last_child].next_sibling = part;
  }
  node.last_child = part;
  return list;
}
