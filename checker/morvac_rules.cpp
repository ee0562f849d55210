#include "morvac_rules.h"

using esterel::Kind;
using esterel::NodeId;
using esterel::Tree;

namespace {

struct KindRefusal {
  Kind kind;
  Refusal refusal;
};

// Constructs refused once read, whatever their form (the forms of await, abort and do watching
// are decided by their parts, below).
constexpr KindRefusal kRefusedWhenRead[] = {
    {Kind::FunctionDecls, Refusal::Functions},
    {Kind::ProcedureDecls, Refusal::Procedures},
    {Kind::TaskDecls, Refusal::Tasks},
    {Kind::Returns, Refusal::Returns},
    {Kind::Relations, Refusal::Relations},
    {Kind::InputOutputs, Refusal::InputOutputs},
    {Kind::Sensors, Refusal::Sensors},
    {Kind::Assign, Refusal::Assignment},
    {Kind::ProcedureCall, Refusal::ProcedureCall},
    {Kind::PresentCases, Refusal::PresentCase},
    {Kind::Repeat, Refusal::Repeat},
    {Kind::AwaitCases, Refusal::AwaitCase},
    {Kind::Exec, Refusal::Exec},
    {Kind::ExecCases, Refusal::Exec},
    {Kind::DoUpto, Refusal::DoUpto},
    {Kind::Every, Refusal::Every},
    {Kind::EventPre, Refusal::PreEvent},
};

// Constructs and values without Quarl text. (morvac skips the `?` of `?S` and `pre(?S)`: it reads
// the name, or cannot read pre(S) as an expression; a reading difference says so.)
constexpr KindRefusal kWithoutText[] = {
    {Kind::If, Refusal::If},
    {Kind::Var, Refusal::Var},
    {Kind::LocalSignal, Refusal::LocalSignal},
    {Kind::Trap, Refusal::Trap},
    {Kind::Exit, Refusal::Exit},
    {Kind::Suspend, Refusal::Suspend},
    {Kind::Finalize, Refusal::Finalize},
    {Kind::Immediate, Refusal::ImmediateOccurrence},
    {Kind::Counted, Refusal::CountedOccurrence},
    {Kind::Number, Refusal::NumberConstant},
    {Kind::String, Refusal::StringConstant},
    {Kind::True, Refusal::BooleanConstant},
    {Kind::False, Refusal::BooleanConstant},
    {Kind::Paren, Refusal::ParenthesizedExpression},
    {Kind::Negate, Refusal::UnaryMinus},
    {Kind::Multiply, Refusal::OperatorMult},
    {Kind::Divide, Refusal::OperatorSlash},
    {Kind::Add, Refusal::OperatorPlus},
    {Kind::Subtract, Refusal::OperatorMinus},
    {Kind::Modulo, Refusal::OperatorMod},
    {Kind::Equal, Refusal::OperatorEqual},
    {Kind::NotEqual, Refusal::OperatorNeq},
    {Kind::Less, Refusal::OperatorInf},
    {Kind::LessEqual, Refusal::OperatorInfEq},
    {Kind::Greater, Refusal::OperatorSup},
    {Kind::GreaterEqual, Refusal::OperatorSupEq},
    {Kind::Not, Refusal::OperatorNot},
    {Kind::And, Refusal::OperatorAnd},
    {Kind::Or, Refusal::OperatorOr},
    {Kind::FunctionCall, Refusal::FunctionCall},
    {Kind::Xcur, Refusal::Xcur},
    {Kind::TrapValue, Refusal::Unknown},
};

struct RefusalTable {
  Refusal of[esterel::kKindCount];
};

template <std::size_t N>
constexpr RefusalTable make_table(const KindRefusal (&entries)[N]) {
  RefusalTable table{};
  for (const KindRefusal& entry : entries)
    table.of[static_cast<std::size_t>(entry.kind)] = entry.refusal;
  return table;
}

constexpr RefusalTable kWhenRead = make_table(kRefusedWhenRead);
constexpr RefusalTable kNoText = make_table(kWithoutText);

bool is(const Tree& tree, NodeId node, Kind kind) {
  return tree.at(node).kind == kind;
}

// The do part of await and abort, the timeout part of do watching.
bool has_last_part(const Tree& tree, NodeId node, std::size_t index) {
  return esterel::present(tree, esterel::child(tree, node, index));
}

}  // namespace

Refusal refusal_when_read(const Tree& tree, NodeId node) {
  const esterel::Node& n = tree.at(node);
  // An incomplete declaration list is none that morvac reduced.
  if ((n.flags & esterel::kIncomplete) != 0) return Refusal::None;
  const bool weak = (n.flags & esterel::kWeak) != 0;
  switch (n.kind) {
    case Kind::Await:
      return has_last_part(tree, node, 1) ? Refusal::AwaitDo : Refusal::None;
    case Kind::DoWatching:
      return has_last_part(tree, node, 2) ? Refusal::DoWatchingTimeout : Refusal::DoWatching;
    case Kind::Abort:
      if (!has_last_part(tree, node, 2)) return Refusal::None;
      return weak ? Refusal::WeakAbortWhenDo : Refusal::AbortWhenDo;
    case Kind::AbortCases:
      return weak ? Refusal::WeakAbortWhenCases : Refusal::AbortWhenCases;
    default:
      break;
  }
  const Refusal refusal = kWhenRead.of[static_cast<std::size_t>(n.kind)];
  // A declaration that could not be read is never reduced: morvac cannot skip it. Only the
  // keyword is read of one refused at its keyword.
  if (refusal_kind(refusal) == RefusalKind::Skip && n.first_child != esterel::kNoNode &&
      is(tree, n.first_child, Kind::Error)) {
    return Refusal::None;
  }
  return refusal;
}

Refusal refusal_without_text(const Tree& tree, NodeId node, bool in_occurrence) {
  const esterel::Node& n = tree.at(node);
  if (n.kind == Kind::Run) {
    return (n.flags & esterel::kCopymodule) != 0 ? Refusal::Copymodule : Refusal::Run;
  }
  if (n.kind == Kind::EventBracket) {
    return in_occurrence ? Refusal::BracketedOccurrence : Refusal::None;
  }
  return kNoText.of[static_cast<std::size_t>(n.kind)];
}

std::vector<esterel::Span> combine_operators(const Tree& tree, std::string_view source) {
  std::vector<esterel::Span> operators;
  for (NodeId id = 1; id < tree.size(); ++id) {
    if (!is(tree, id, Kind::SignalType)) continue;
    const NodeId combine = esterel::child(tree, id, 1);
    if (combine == esterel::kNoNode || !is(tree, combine, Kind::Operator)) continue;
    const std::string_view function = esterel::text(tree, source, combine);
    if (function == "+" || function == "*") operators.push_back(tree.at(combine).span);
  }
  return operators;
}

bool uses_extension(const Tree& tree, std::string_view source) {
  for (NodeId id = 1; id < tree.size(); ++id) {
    if (is(tree, id, Kind::TrapValue)) return true;
  }
  return !combine_operators(tree, source).empty();
}
