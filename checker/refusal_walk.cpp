#include "refusal_walk.h"

#include "morvac_rules.h"

using esterel::Kind;
using esterel::NodeId;
using esterel::Span;

namespace {

bool is_name_char(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// Visits the tree in the order in which morvac's parser reduces its constructs. The grammar is
// morvac's, so a construct is reduced after its parts, with these exceptions: a declaration
// refused at its keyword is refused before its parts are read, and the lists that morvac builds
// pair by pair (sequences, parallel branches) need their parts' texts as each pair is reduced.
class Walk {
 public:
  Walk(const esterel::Tree& tree, std::string_view source)
      : tree_(tree), source_(source), reported_(tree.size(), false) {}

  std::vector<RefusalEvent> run() {
    visit(tree_.root());
    return std::move(events_);
  }

 private:
  [[nodiscard]] Span span(NodeId node) const { return tree_.at(node).span; }
  [[nodiscard]] NodeId part(NodeId node, std::size_t index) const {
    return esterel::child(tree_, node, index);
  }

  // The keyword that a construct begins with.
  [[nodiscard]] Span keyword(NodeId node) const {
    Span word{span(node).begin, span(node).begin};
    while (word.end < source_.size() && is_name_char(source_[word.end])) ++word.end;
    return word;
  }

  // A construct that needs the text of part, reduced over trigger (once_rewritten: a refused
  // construct, which needs it once rewritten).
  void need(NodeId part, Span trigger, bool in_occurrence = false, bool once_rewritten = false) {
    if (!esterel::present(tree_, part)) return;
    // `P;` alone hands on the text of P.
    while (tree_.at(part).kind == Kind::Sequence && esterel::child_count(tree_, part) == 1) {
      part = tree_.at(part).first_child;
    }
    const Refusal construct = refusal_without_text(tree_, part, in_occurrence);
    if (construct == Refusal::None || reported_[part]) return;
    reported_[part] = true;
    const Span where = tree_.at(part).kind == Kind::Run ? keyword(part) : span(part);
    events_.push_back(RefusalEvent{construct, where, trigger, once_rewritten});
  }

  // The statements and occurrences of a refused construct (through its cases, handlers and
  // else-ifs): whatever rewrites it needs their texts.
  void need_once_rewritten(NodeId node, Span whole, bool in_occurrence) {
    for (NodeId at = tree_.at(node).first_child; at != esterel::kNoNode;
         at = tree_.at(at).next_sibling) {
      const Kind kind = tree_.at(at).kind;
      if (kind == Kind::Cases || kind == Kind::Case || kind == Kind::Handlers ||
          kind == Kind::Handler || kind == Kind::ElsIfs || kind == Kind::ElsIf) {
        need_once_rewritten(at, whole, in_occurrence);
      } else if (!esterel::is_expression(kind)) {
        need(at, whole, in_occurrence, true);
      }
    }
  }

  void visit_children(NodeId node) {
    for (NodeId at = tree_.at(node).first_child; at != esterel::kNoNode;
         at = tree_.at(at).next_sibling) {
      visit(at);
    }
  }

  // A list reduced pair by pair from its first element: the first pair needs both texts, each
  // later element its own, each over the span from first to itself.
  void visit_pairs(NodeId first) {
    visit(first);
    const NodeId second = tree_.at(first).next_sibling;
    if (second == esterel::kNoNode) return;
    visit(second);
    need(first, Span{span(first).begin, span(second).end});
    need(second, Span{span(first).begin, span(second).end});
    for (NodeId at = tree_.at(second).next_sibling; at != esterel::kNoNode;
         at = tree_.at(at).next_sibling) {
      visit(at);
      need(at, Span{span(first).begin, span(at).end});
    }
  }

  void visit_parallel(NodeId node) {
    const NodeId first = tree_.at(node).first_child;
    const NodeId second = tree_.at(first).next_sibling;
    const bool branch_list = (tree_.at(node).flags & esterel::kIncomplete) != 0;
    if (branch_list || tree_.at(second).next_sibling == esterel::kNoNode) {
      visit_pairs(first);
      return;
    }
    // A || B || C: B and C are reduced pair by pair, then A joins them.
    visit(first);
    visit_pairs(second);
    need(first, Span{span(first).begin, span(tree_.at(node).last_child).end});
  }

  // Events nest as deep as they are long (`a and b and c`): walked without recursion. Of their
  // constructs only pre is refused, once its event is read.
  void visit_event(NodeId event) {
    std::vector<std::pair<NodeId, bool>> stack{{event, false}};
    std::vector<NodeId> parts;
    while (!stack.empty()) {
      const auto [node, parts_seen] = stack.back();
      stack.pop_back();
      if (parts_seen) {
        const Refusal refusal = refusal_when_read(tree_, node);
        if (refusal != Refusal::None)
          events_.push_back(RefusalEvent{refusal, span(node), span(node), false});
        continue;
      }
      stack.emplace_back(node, true);
      parts = esterel::children(tree_, node);
      for (auto at = parts.rbegin(); at != parts.rend(); ++at) stack.emplace_back(*at, false);
    }
  }

  void visit(NodeId node) {
    const Kind kind = tree_.at(node).kind;
    // Expressions hold nothing that morvac refuses on its own (they nest as deep as they are
    // long); events are walked apart.
    if (esterel::is_expression(kind)) return;
    if (esterel::is_event_operator(kind)) return visit_event(node);
    const Span whole = span(node);
    const Refusal when_read = refusal_when_read(tree_, node);
    if (refusal_kind(when_read) == RefusalKind::StopAtKeyword) {
      events_.push_back(RefusalEvent{when_read, keyword(node), keyword(node), false});
      visit_children(node);
      return;
    }
    switch (kind) {
      case Kind::Sequence:
        visit_pairs(tree_.at(node).first_child);
        break;
      case Kind::Parallel:
        visit_parallel(node);
        break;
      default:
        visit_children(node);
        need_parts(node, kind, whole, when_read);
        break;
    }
    if (when_read != Refusal::None) events_.push_back(RefusalEvent{when_read, whole, whole, false});
    // A then or else part needs its statement's text as soon as it is read.
    if ((tree_.at(node).flags & esterel::kBranch) != 0) need(node, whole);
    if (when_read != Refusal::None || refusal_without_text(tree_, node, false) != Refusal::None) {
      need_once_rewritten(node, whole, kind != Kind::PresentCases);
    }
  }

  // The parts whose text a translated construct needs, once all its parts are read.
  void need_parts(NodeId node, Kind kind, Span whole, Refusal when_read) {
    if (when_read != Refusal::None) return;
    switch (kind) {
      case Kind::Module:  // the body, also of a module that an error cut after it
        need(tree_.at(node).last_child, span(tree_.at(node).last_child));
        break;
      case Kind::Block:
      case Kind::Loop:
        need(part(node, 0), whole);
        break;
      case Kind::Emit:
      case Kind::Sustain:
        need(part(node, 1), whole);
        break;
      case Kind::LoopEach:
      case Kind::Abort:
        need(part(node, 0), whole);
        need(part(node, 1), whole, true);
        break;
      case Kind::Await:
        need(part(node, 0), whole, true);
        break;
      default:
        break;
    }
  }

  const esterel::Tree& tree_;
  std::string_view source_;
  std::vector<RefusalEvent> events_;
  std::vector<bool> reported_;  // by node: reported as without text
};

}  // namespace

std::vector<RefusalEvent> walk_refusals(const esterel::Tree& tree, std::string_view source) {
  return Walk(tree, source).run();
}

const RefusalEvent* first_stop(const std::vector<RefusalEvent>& events) {
  for (const RefusalEvent& event : events) {
    if (refusal_kind(event.construct) != RefusalKind::Skip && !event.once_rewritten) return &event;
  }
  return nullptr;
}
