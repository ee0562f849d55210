#include "grammar_actions.h"

#include <algorithm>
#include <utility>

#include "token_names.h"

namespace esterel {

Span span_of_parts(const Span* parts, int n) {
  for (int first = 1; first <= n; ++first) {
    if (parts[first].begin != parts[first].end) return Span{parts[first].begin, parts[n].end};
  }
  return Span{parts[0].end, parts[0].end};
}

NodeId node(ParseState& p, Kind kind, Span span, std::initializer_list<NodeId> children,
            std::uint16_t flags) {
  return p.tree.add(kind, span, children, flags);
}

NodeId open_module(ParseState& p, Span span, NodeId body) {
  p.open_module = p.tree.add(Kind::Module, span, {body}, kIncomplete);
  return p.open_module;
}

NodeId close_module(ParseState& p, NodeId module, NodeId name, NodeId declarations, Span span) {
  p.open_module = kNoNode;
  p.tree.prepend(module, declarations);
  p.tree.prepend(module, name);
  Node& node = p.tree.edit(module);
  node.flags &= static_cast<std::uint16_t>(~kIncomplete);
  node.span = span;
  return module;
}

NodeId none(ParseState& p, Span before) {
  return p.tree.add(Kind::None, Span{before.end, before.end}, {});
}

NodeId list(ParseState& p, Kind kind, Span span, NodeId first, std::uint16_t flags) {
  return p.tree.add(kind, span, {first}, flags);
}

NodeId complete(ParseState& p, NodeId list, Span span) {
  Node& node = p.tree.edit(list);
  node.flags &= static_cast<std::uint16_t>(~kIncomplete);
  node.span = span;
  return list;
}

NodeId take_parts(ParseState& p, NodeId node, NodeId list, Span span) {
  for (NodeId part = p.tree.at(list).first_child; part != kNoNode;) {
    const NodeId next = p.tree.at(part).next_sibling;
    p.tree.edit(part).next_sibling = kNoNode;
    p.tree.append(node, part);
    part = next;
  }
  Node& emptied = p.tree.edit(list);
  emptied.first_child = emptied.last_child = kNoNode;
  return widen(p, node, span);
}

NodeId add_part(ParseState& p, NodeId node, NodeId part, Span span) {
  p.tree.append(node, part);
  p.tree.edit(node).span = span;
  return node;
}

NodeId branch(ParseState& p, NodeId statement) {
  p.tree.edit(statement).flags |= kBranch;
  return statement;
}

NodeId widen(ParseState& p, NodeId node, Span span) {
  p.tree.edit(node).span = span;
  return node;
}

NodeId relabel(ParseState& p, NodeId node, Kind kind, Span span) {
  Node& n = p.tree.edit(node);
  n.kind = kind;
  n.span = span;
  return node;
}

NodeId file(ParseState& p, NodeId module, Span span) {
  const NodeId root = p.tree.add(Kind::File, span, {module});
  p.tree.set_root(root);
  return root;
}

NodeId unread_list(ParseState& p, Kind kind, Span span, Span error_span) {
  return p.tree.add(kind, span, {error_node(p, error_span)});
}

NodeId error_node(ParseState& p, Span span) {
  // Only an error in its closing keywords leaves a module open: it has cut the module.
  if (p.open_module != kNoNode) discard(p, std::exchange(p.open_module, kNoNode));
  // Made in the order of the parse, the nodes' ids are in source order.
  std::sort(p.orphans.begin(), p.orphans.end());
  const NodeId error = p.tree.add(Kind::Error, span, {});
  for (const NodeId orphan : p.orphans) p.tree.append(error, orphan);
  p.orphans.clear();
  return error;
}

void discard(ParseState& p, NodeId discarded) {
  if (discarded == kNoNode || discarded >= p.tree.size() || discarded == p.tree.root()) return;
  Node& node = p.tree.edit(discarded);
  if ((node.flags & kHasParent) != 0) return;
  node.flags |= kHasParent;  // claimed by the Error node to come
  p.orphans.push_back(discarded);
}

NodeId loop(ParseState& p, Span span, NodeId body, NodeId each) {
  if (each == kNoNode) return p.tree.add(Kind::Loop, span, {body});
  return p.tree.add(Kind::LoopEach, span, {body, each});
}

NodeId join_first_branch(ParseState& p, NodeId first, NodeId rest, Span span) {
  p.tree.prepend(rest, first);
  Node& parallel = p.tree.edit(rest);
  parallel.flags &= static_cast<std::uint16_t>(~kIncomplete);
  parallel.span = span;
  return rest;
}

NodeId signal(ParseState& p, Kind kind, Span span, NodeId name, NodeId channel) {
  if (p.tree.at(channel).kind == Kind::Signal) {  // an initial value and a type part
    p.tree.prepend(channel, name);
    return relabel(p, channel, kind, span);
  }
  return p.tree.add(kind, span, {name, none(p, p.tree.at(name).span), channel});
}

NodeId run(ParseState& p, Span span, NodeId flags, NodeId names, NodeId renamings) {
  if (renamings == kNoNode) {
    renamings = p.tree.add(Kind::Renamings, Span{span.end, span.end}, {});
  }
  p.tree.append(names, renamings);
  Node& statement = p.tree.edit(names);
  statement.flags |= flags_of(flags);
  statement.span = span;
  return names;
}

void report_syntax_error(ParseState& p, Span at, const char* unexpected,
                         const std::vector<const char*>& expected) {
  const std::string_view text = p.source.substr(at.begin, at.end - at.begin);
  p.errors.push_back(SyntaxError{at, syntax_error_message(unexpected, text, expected), at});
}

void report_missing_token(ParseState& p, Span place, const char* missing, const char* before,
                          Span found) {
  const std::string_view text = p.source.substr(found.begin, found.end - found.begin);
  p.errors.push_back(SyntaxError{place, missing_token_message(missing, before, text), found});
}

}  // namespace esterel
