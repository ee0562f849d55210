#include "refusal_walk.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

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
    run_tasks(tree_.root());
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
    // The next part to look at in each list entered, innermost last.
    std::vector<NodeId> next{tree_.at(node).first_child};
    while (!next.empty()) {
      const NodeId at = next.back();
      if (at == esterel::kNoNode) {
        next.pop_back();
        continue;
      }
      next.back() = tree_.at(at).next_sibling;
      const Kind kind = tree_.at(at).kind;
      if (kind == Kind::Cases || kind == Kind::Case || kind == Kind::Handlers ||
          kind == Kind::Handler || kind == Kind::ElsIfs || kind == Kind::ElsIf) {
        next.push_back(tree_.at(at).first_child);
      } else if (!esterel::is_expression(kind)) {
        need(at, whole, in_occurrence, true);
      }
    }
  }

  // What is left to do, on an explicit stack: trees nest as deep as their programs are long
  // (brackets, errors inside errors), deeper than a thread's stack would take.
  enum class Step : std::uint8_t {
    Visit,   // visit node
    Need,    // need the text of node over trigger
    Finish,  // what node does once its parts are visited
  };
  struct Task {
    Step step;
    NodeId node;
    Span trigger;
  };

  void run_tasks(NodeId root) {
    tasks_.push_back(Task{Step::Visit, root, {}});
    while (!tasks_.empty()) {
      const Task task = tasks_.back();
      tasks_.pop_back();
      switch (task.step) {
        case Step::Visit:
          visit(task.node);
          break;
        case Step::Need:
          need(task.node, task.trigger);
          break;
        case Step::Finish:
          finish(task.node);
          break;
      }
    }
  }

  // Schedules the tasks of `later`, in their order, to run before whatever was scheduled.
  void schedule(std::vector<Task>& later) {
    tasks_.insert(tasks_.end(), later.rbegin(), later.rend());
    later.clear();
  }

  // A list reduced pair by pair from its first element: the first pair needs both texts, each
  // later element its own, each over the span from first to itself.
  void visit_pairs(NodeId first, std::vector<Task>& out) const {
    out.push_back(Task{Step::Visit, first, {}});
    const NodeId second = tree_.at(first).next_sibling;
    if (second == esterel::kNoNode) return;
    out.push_back(Task{Step::Visit, second, {}});
    const Span pair{span(first).begin, span(second).end};
    out.push_back(Task{Step::Need, first, pair});
    out.push_back(Task{Step::Need, second, pair});
    for (NodeId at = tree_.at(second).next_sibling; at != esterel::kNoNode;
         at = tree_.at(at).next_sibling) {
      out.push_back(Task{Step::Visit, at, {}});
      out.push_back(Task{Step::Need, at, Span{span(first).begin, span(at).end}});
    }
  }

  void visit_parallel(NodeId node, std::vector<Task>& out) const {
    const NodeId first = tree_.at(node).first_child;
    const NodeId second = tree_.at(first).next_sibling;
    const bool branch_list = (tree_.at(node).flags & esterel::kIncomplete) != 0;
    if (branch_list || tree_.at(second).next_sibling == esterel::kNoNode) {
      visit_pairs(first, out);
      return;
    }
    // A || B || C: B and C are reduced pair by pair, then A joins them.
    out.push_back(Task{Step::Visit, first, {}});
    visit_pairs(second, out);
    out.push_back(
        Task{Step::Need, first, Span{span(first).begin, span(tree_.at(node).last_child).end}});
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
    const Refusal when_read = refusal_when_read(tree_, node);
    if (refusal_kind(when_read) == RefusalKind::StopAtKeyword) {
      events_.push_back(RefusalEvent{when_read, keyword(node), keyword(node), false});
    } else {
      tasks_.push_back(Task{Step::Finish, node, {}});  // once the parts scheduled below are done
    }
    std::vector<Task>& parts = scratch_;
    switch (kind) {
      case Kind::Sequence:
        visit_pairs(tree_.at(node).first_child, parts);
        break;
      case Kind::Parallel:
        visit_parallel(node, parts);
        break;
      default:
        for (NodeId at = tree_.at(node).first_child; at != esterel::kNoNode;
             at = tree_.at(at).next_sibling) {
          parts.push_back(Task{Step::Visit, at, {}});
        }
        break;
    }
    schedule(parts);
  }

  // What a construct does once its parts are visited (one refused at its keyword has none).
  void finish(NodeId node) {
    const Kind kind = tree_.at(node).kind;
    const Span whole = span(node);
    const Refusal when_read = refusal_when_read(tree_, node);
    need_parts(node, kind, whole, when_read);
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
  std::vector<Task> tasks_;     // to do, the next one last
  std::vector<Task> scratch_;   // the tasks of one visit, in order
};

// What a reduction made before the first syntax error needs: its parts that morvac's action
// takes the text of, and whether it reads an occurrence there.
struct NeededPart {
  std::size_t index;
  bool in_occurrence;
};

std::vector<NeededPart> needed_parts(const esterel::LookaheadReduction& reduction) {
  const auto is = [&](std::initializer_list<std::string_view> symbols) {
    return std::equal(reduction.symbols.begin(), reduction.symbols.end(), symbols.begin(),
                      symbols.end());
  };
  if (is({"AWAIT", "Occurrence"})) return {{1, true}};
  if (is({"ABORT", "Instruction", "WHEN", "Occurrence"})) return {{1, false}, {3, true}};
  if (is({"WEAK", "ABORT", "Instruction", "WHEN", "Occurrence"})) return {{2, false}, {4, true}};
  if (is({"THEN", "Instruction"}) || is({"ELSE", "Instruction"})) return {{1, false}};
  if ((reduction.rule == "Parallel" || reduction.rule == "ParallelBranchList") &&
      reduction.symbols.size() == 3) {
    return {{0, false}, {2, false}};
  }
  return {};
}

// A reduction that hands on the text of its first part.
bool hands_on_first(const esterel::LookaheadReduction& reduction) {
  return reduction.symbols.size() == 1 ||
         (reduction.symbols.size() == 2 && reduction.symbols[1] == "PVIRGULE");
}

// The stop that morvac meets in the reductions it makes on the token of its first syntax error
// (beyond those the tree holds), or Refusal::None.
RefusalEvent lookahead_stop(const esterel::Tree& tree,
                            const std::vector<esterel::LookaheadReduction>& reductions) {
  // What each reduction made: the node whose text it hands on, or kNoNode for a text of its own.
  std::vector<NodeId> made;
  const auto node_of = [&](const esterel::ReductionPart& part) {
    return part.reduction >= 0 ? made[static_cast<std::size_t>(part.reduction)] : part.node;
  };
  const auto stop_if_without_text = [&](const esterel::ReductionPart& part, bool in_occurrence,
                                        Span trigger) {
    NodeId node = node_of(part);
    if (node == esterel::kNoNode || !esterel::present(tree, node)) return RefusalEvent{};
    while (tree.at(node).kind == Kind::Sequence && esterel::child_count(tree, node) == 1) {
      node = tree.at(node).first_child;
    }
    const Refusal construct = refusal_without_text(tree, node, in_occurrence);
    return RefusalEvent{construct, tree.at(node).span, trigger, false};
  };
  for (const esterel::LookaheadReduction& reduction : reductions) {
    // The module's body is written as soon as it is read, before its closing keywords.
    const bool module_body = reduction.symbols.empty() && !reduction.rule.empty() &&
                             (reduction.rule[0] == '@' || reduction.rule[0] == '$');
    if (module_body) {
      const RefusalEvent stop = stop_if_without_text(reduction.before, false, reduction.span);
      if (stop.construct != Refusal::None) return stop;
    }
    if (reduction.symbols.size() == 10 && reduction.symbols[0] == "EXEC") {
      return RefusalEvent{Refusal::Exec, reduction.span, reduction.span, false};
    }
    for (const NeededPart needed : needed_parts(reduction)) {
      const RefusalEvent stop =
          stop_if_without_text(reduction.parts[needed.index], needed.in_occurrence, reduction.span);
      if (stop.construct != Refusal::None) return stop;
    }
    made.push_back(hands_on_first(reduction) ? node_of(reduction.parts[0]) : esterel::kNoNode);
  }
  return RefusalEvent{};
}

}  // namespace

std::vector<RefusalEvent> walk_refusals(const esterel::Parse& parse, std::string_view source) {
  std::vector<RefusalEvent> events = Walk(parse.tree, source).run();
  const RefusalEvent stop = lookahead_stop(parse.tree, parse.before_first_error);
  if (stop.construct == Refusal::None) return events;
  // morvac meets it once it has made every reduction before the token in error; the tree's
  // reading meets it elsewhere (a construct refused when read also ends elsewhere there).
  const auto same = [&](const RefusalEvent& event) {
    return event.construct == stop.construct && event.span.begin == stop.span.begin;
  };
  events.erase(std::remove_if(events.begin(), events.end(), same), events.end());
  const std::uint32_t error_at = parse.errors.front().found.begin;
  const auto after = std::find_if(events.begin(), events.end(), [&](const RefusalEvent& event) {
    return event.trigger.end > error_at;
  });
  events.insert(after, stop);
  return events;
}

const RefusalEvent* first_stop(const std::vector<RefusalEvent>& events) {
  for (const RefusalEvent& event : events) {
    if (refusal_kind(event.construct) != RefusalKind::Skip && !event.once_rewritten) return &event;
  }
  return nullptr;
}
