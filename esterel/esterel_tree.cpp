#include "esterel_tree.h"

#include <iterator>

namespace esterel {

NodeId Tree::add(Kind kind, Span span, std::initializer_list<NodeId> children,
                 std::uint16_t flags) {
  const auto id = static_cast<NodeId>(nodes_.size());
  nodes_.push_back(Node{kind, flags, span, kNoNode, kNoNode, kNoNode});
  for (const NodeId child : children) {
    if (child != kNoNode) append(id, child);
  }
  return id;
}

void Tree::append(NodeId node, NodeId child) {
  Node& parent = nodes_[node];
  if (parent.last_child == kNoNode) {
    parent.first_child = child;
  } else {
    nodes_[parent.last_child].next_sibling = child;
  }
  parent.last_child = child;
  nodes_[child].flags |= kHasParent;
}

void Tree::prepend(NodeId node, NodeId child) {
  Node& parent = nodes_[node];
  nodes_[child].next_sibling = parent.first_child;
  parent.first_child = child;
  if (parent.last_child == kNoNode) parent.last_child = child;
  nodes_[child].flags |= kHasParent;
}

const char* kind_name(Kind kind) {
  static const char* const kNames[] = {
      "None",
      "Error",
      "File",
      "Module",
      "Declarations",
      "TypeDecls",
      "ConstantDecls",
      "ConstantGroup",
      "Constants",
      "Constant",
      "FunctionDecls",
      "Function",
      "ProcedureDecls",
      "Procedure",
      "TaskDecls",
      "Task",
      "Inputs",
      "Outputs",
      "InputOutputs",
      "Returns",
      "Sensors",
      "Sensor",
      "Relations",
      "Implication",
      "Exclusion",
      "Signal",
      "SignalType",
      "Operator",
      "NameList",
      "ExpressionList",
      "Nothing",
      "Halt",
      "Pause",
      "Emit",
      "Sustain",
      "Assign",
      "ProcedureCall",
      "Sequence",
      "Parallel",
      "Block",
      "Present",
      "PresentCases",
      "Cases",
      "Case",
      "Loop",
      "LoopEach",
      "If",
      "ElsIfs",
      "ElsIf",
      "Var",
      "VarDecls",
      "VarGroup",
      "Variables",
      "Variable",
      "LocalSignal",
      "Signals",
      "Repeat",
      "Await",
      "AwaitCases",
      "Exec",
      "ExecCases",
      "ExecCase",
      "DoUpto",
      "Every",
      "DoWatching",
      "Abort",
      "AbortCases",
      "Trap",
      "Traps",
      "TrapDecl",
      "Handlers",
      "Handler",
      "Exit",
      "Run",
      "Renamings",
      "SignalRenamings",
      "ConstantRenamings",
      "FunctionRenamings",
      "ProcedureRenamings",
      "TaskRenamings",
      "TypeRenamings",
      "Renaming",
      "Suspend",
      "Finalize",
      "Immediate",
      "Counted",
      "EventBracket",
      "EventParen",
      "EventNot",
      "EventAnd",
      "EventOr",
      "EventPre",
      "Name",
      "Number",
      "String",
      "True",
      "False",
      "Paren",
      "SignalValue",
      "PreValue",
      "TrapValue",
      "Xcur",
      "Negate",
      "Not",
      "And",
      "Or",
      "Equal",
      "NotEqual",
      "Less",
      "LessEqual",
      "Greater",
      "GreaterEqual",
      "Add",
      "Subtract",
      "Multiply",
      "Divide",
      "Modulo",
      "FunctionCall",
  };
  static_assert(std::size(kNames) == kKindCount, "one name a kind");
  return kNames[static_cast<std::size_t>(kind)];
}

NodeId child(const Tree& tree, NodeId node, std::size_t index) {
  NodeId at = tree.at(node).first_child;
  for (; at != kNoNode && index > 0; --index) at = tree.at(at).next_sibling;
  return at;
}

std::size_t child_count(const Tree& tree, NodeId node) {
  std::size_t count = 0;
  for (NodeId at = tree.at(node).first_child; at != kNoNode; at = tree.at(at).next_sibling) {
    ++count;
  }
  return count;
}

std::vector<NodeId> children(const Tree& tree, NodeId node) {
  std::vector<NodeId> out;
  for (NodeId at = tree.at(node).first_child; at != kNoNode; at = tree.at(at).next_sibling) {
    out.push_back(at);
  }
  return out;
}

std::string_view text(const Tree& tree, std::string_view source, NodeId node) {
  const Span span = tree.at(node).span;
  return source.substr(span.begin, span.end - span.begin);
}

bool present(const Tree& tree, NodeId node) {
  return node != kNoNode && tree.at(node).kind != Kind::None;
}

}  // namespace esterel
