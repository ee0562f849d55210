// A network of disjunction gates over three-valued wires (unknown, 0, 1), rebuilt for every
// instant. Gates are folded as they are made: a gate whose value follows from constants is no
// gate. The only gates made before their inputs are known are the open ones (the status of a
// signal, whose emitters come later); settle() then spreads the known values until nothing more
// follows, each wire changing at most once.
#ifndef MORVAC_SIM_TERNARY_NET_H
#define MORVAC_SIM_TERNARY_NET_H

#include <cstdint>
#include <vector>

namespace sim {

// A wire, or its negation: wire * 2 + negated.
using Lit = std::uint32_t;
constexpr Lit kFalse = 0;  // wire 0 is the constant 0
constexpr Lit kTrue = 1;

[[nodiscard]] inline Lit negation(Lit a) {
  return a ^ 1u;
}

enum class Value : std::int8_t { Unknown = -1, Zero = 0, One = 1 };

class TernaryNet {
 public:
  TernaryNet() { clear(); }
  // Forgets every gate; keeps the memory.
  void clear();

  // Returns a or b, folded.
  [[nodiscard]] Lit disjunction(Lit a, Lit b) {
    if (a == kFalse || a == b) return b;
    if (b == kFalse) return a;
    return new_disjunction(a, b);
  }
  // Returns a and b, folded.
  [[nodiscard]] Lit conjunction(Lit a, Lit b) {
    return negation(disjunction(negation(a), negation(b)));
  }

  // Returns a new disjunction whose inputs are given later by add_input.
  [[nodiscard]] std::uint32_t open_gate();
  [[nodiscard]] static Lit output(std::uint32_t gate) { return gate * 2; }
  void add_input(std::uint32_t gate, Lit input);
  // Whether an input of the open gate is the constant 1 already.
  [[nodiscard]] bool forced(std::uint32_t gate) const { return value(output(gate)) == Value::One; }

  // Spreads the values of the open gates through the network.
  void settle();
  [[nodiscard]] Value value(Lit a) const {
    const Value v = values_[a >> 1];
    if (v == Value::Unknown || (a & 1u) == 0) return v;
    return v == Value::One ? Value::Zero : Value::One;
  }

 private:
  struct Edge {
    std::uint32_t gate;
    std::uint32_t next;
    bool negated;
  };
  Lit new_disjunction(Lit a, Lit b);
  std::uint32_t new_gate();
  void connect(Lit input, std::uint32_t gate);
  void set(std::uint32_t gate, Value v);

  std::vector<Value> values_;
  std::vector<std::uint32_t> pending_;     // inputs not yet known 0
  std::vector<std::uint32_t> first_edge_;  // the gates this wire feeds
  std::vector<Edge> edges_;
  std::vector<std::uint32_t> open_;
  std::vector<std::uint32_t> work_;
};

}  // namespace sim

#endif  // MORVAC_SIM_TERNARY_NET_H
