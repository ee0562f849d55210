#include "refusal_walk.h"

std::vector<RefusalEvent> walk_refusals(const SyntaxTree& tree) {
  std::vector<RefusalEvent> events;
  // Nodes are made when their productions are reduced, so their order is morvac's order of
  // reductions: also for constructs that a syntax error later cut from the tree, which morvac
  // reduces all the same.
  // absent[n]: the construct without text whose value node n hands on (kNoNode: real text).
  std::vector<NodeId> absent(tree.size(), kNoNode);
  for (NodeId id = 1; id < tree.size(); ++id) {
    const Node& node = tree.at(id);
    switch (node.rule) {
      case Rule::Require:
        for (NodeId part = node.first_child; part != kNoNode; part = tree.at(part).next_sibling) {
          if (absent[part] != kNoNode) {
            events.push_back({tree.at(absent[part]).construct, absent[part], id});
          }
        }
        break;
      case Rule::WithoutText:
        absent[id] = id;
        break;
      case Rule::Refuse:
      case Rule::Skip:
      case Rule::StopFirst:  // made right after its keyword, as morvac refuses it
        events.push_back({node.construct, id, id});
        break;
      case Rule::List:
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
