// Random Esterel programs over the inputs I, J, K and the outputs O, P, Q, for the property
// tests: any statement on signals, with traps and local signals of its own.
#ifndef MORVAC_TESTS_SIM_RANDOM_PROGRAMS_H
#define MORVAC_TESTS_SIM_RANDOM_PROGRAMS_H

#include <random>
#include <string>
#include <vector>

class RandomPrograms {
 public:
  // With cycles, tests read outputs and local signals too, so that some programs are not
  // constructive; without, they read inputs only. Every loop body ends with a pause unless
  // instantaneous loops are asked for.
  RandomPrograms(unsigned seed, bool cycles, bool instantaneous_loops = false)
      : rng_(seed), cycles_(cycles), instantaneous_loops_(instantaneous_loops) {}

  std::string statement(int depth);
  // A signal, or signals with not, and, or: in brackets, or in parentheses when inner.
  std::string event(bool inner = false);
  std::string delay();
  // "module M: input I, J, K; output O, P, Q; body end module"
  static std::string module(const std::string& body);
  // The inputs present in each of n instants.
  std::vector<std::vector<std::string>> trace(int instants);
  // Text with each placeholder ($P, $Q, $R statements, $E, $F events in their inner form, $D,
  // $D2 delays, $N a count from 2 to 3, $X an output) replaced by a random text, the same at
  // each occurrence.
  std::string instantiate(const std::string& pattern, int depth);

  int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

 private:
  std::string pick(const std::vector<std::string>& from) {
    return from[static_cast<std::size_t>(below(static_cast<int>(from.size())))];
  }
  std::string emitted();

  std::mt19937 rng_;
  bool cycles_;
  bool instantaneous_loops_;
  std::vector<std::string> traps_;   // open around the statement being made
  std::vector<std::string> locals_;  // declared around it
  int names_ = 0;
};

#endif  // MORVAC_TESTS_SIM_RANDOM_PROGRAMS_H
