#include "refusal_walk.h"

#include <utility>

std::vector<RefusalEvent> walk_refusals(const SyntaxTree& tree) {
  std::vector<RefusalEvent> events;
  if (tree.root == kNoNode) return events;
  // absent[n]: the construct without text whose value node n hands on (kNoNode: real text).
  std::vector<NodeId> absent(tree.size(), kNoNode);
  // Post-order with an explicit stack: lists of statements nest as deep as they are long.
  std::vector<std::pair<NodeId, NodeId>> stack;  // node, next part to visit
  const auto enter = [&](NodeId id) {
    const Node& node = tree.at(id);
    if (node.rule == Rule::StopFirst) events.push_back({node.construct, id});
    stack.emplace_back(id, node.first_child);
  };
  enter(tree.root);
  while (!stack.empty()) {
    auto& [id, next] = stack.back();
    if (next != kNoNode) {
      const NodeId part = next;
      next = tree.at(part).next_sibling;
      enter(part);
      continue;
    }
    const NodeId done = id;
    stack.pop_back();
    const Node& node = tree.at(done);
    switch (node.rule) {
      case Rule::Require:
        for (NodeId part = node.first_child; part != kNoNode; part = tree.at(part).next_sibling) {
          if (absent[part] != kNoNode) events.push_back({tree.at(absent[part]).construct, absent[part]});
        }
        break;
      case Rule::WithoutText:
        absent[done] = done;
        break;
      case Rule::Refuse:
      case Rule::Skip:
        events.push_back({node.construct, done});
        break;
      case Rule::List:
      case Rule::StopFirst:
      case Rule::Error:
        break;
    }
  }
  return events;
}

const RefusalEvent* first_stop(const std::vector<RefusalEvent>& events) {
  for (const RefusalEvent& event : events) {
    if (refusal_kind(event.construct) != RefusalKind::Skip) return &event;
  }
  return nullptr;
}
