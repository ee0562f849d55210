#include "ternary_net.h"

namespace sim {

namespace {
constexpr std::uint32_t kNoEdge = 0xffffffffu;
}

void TernaryNet::clear() {
  values_.assign(1, Value::Zero);
  pending_.assign(1, 0);
  first_edge_.assign(1, kNoEdge);
  edges_.clear();
  open_.clear();
  work_.clear();
}

std::uint32_t TernaryNet::new_gate() {
  values_.push_back(Value::Unknown);
  pending_.push_back(0);
  first_edge_.push_back(kNoEdge);
  return static_cast<std::uint32_t>(values_.size() - 1);
}

void TernaryNet::connect(Lit input, std::uint32_t gate) {
  ++pending_[gate];
  edges_.push_back(Edge{gate, first_edge_[input >> 1], (input & 1u) != 0});
  first_edge_[input >> 1] = static_cast<std::uint32_t>(edges_.size() - 1);
}

void TernaryNet::set(std::uint32_t gate, Value v) {
  values_[gate] = v;
  work_.push_back(gate);
}

// Only constants fold: "a or not a" stays a gate, unknown while a is, as three-valued logic
// has it. Folding it to 1 would accept `present O then nothing end; emit O`.
Lit TernaryNet::new_disjunction(Lit a, Lit b) {
  if (a == kTrue || b == kTrue) return kTrue;
  const std::uint32_t gate = new_gate();
  connect(a, gate);
  connect(b, gate);
  return output(gate);
}

std::uint32_t TernaryNet::open_gate() {
  const std::uint32_t gate = new_gate();
  open_.push_back(gate);
  return gate;
}

void TernaryNet::add_input(std::uint32_t gate, Lit input) {
  if (values_[gate] == Value::One || input == kFalse) return;
  if (input == kTrue) return set(gate, Value::One);
  connect(input, gate);
}

void TernaryNet::settle() {
  for (const std::uint32_t gate : open_) {
    if (values_[gate] == Value::Unknown && pending_[gate] == 0) set(gate, Value::Zero);
  }
  while (!work_.empty()) {
    const std::uint32_t wire = work_.back();
    work_.pop_back();
    const bool one = values_[wire] == Value::One;
    for (std::uint32_t e = first_edge_[wire]; e != kNoEdge; e = edges_[e].next) {
      const Edge& edge = edges_[e];
      if (values_[edge.gate] != Value::Unknown) continue;
      if (one != edge.negated) {
        set(edge.gate, Value::One);
      } else if (--pending_[edge.gate] == 0) {
        set(edge.gate, Value::Zero);
      }
    }
  }
}

}  // namespace sim
