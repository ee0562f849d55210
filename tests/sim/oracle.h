// A second semantics of the kernel, naive and independent of the simulator's, for the property
// tests: the logical one. An instant is run once for every guess of the statuses of the outputs
// and of each local signal's copy, with the program as a term that each instant rewrites; the
// guesses that come out coherent (every signal present exactly when it is emitted) are the
// instant's logical reactions. A constructive instant has exactly one.
#ifndef MORVAC_TESTS_SIM_ORACLE_H
#define MORVAC_TESTS_SIM_ORACLE_H

#include <memory>
#include <vector>

#include "kernel.h"

struct Term;

class Oracle {
 public:
  explicit Oracle(const sim::KernelProgram& program) : p_(program) {}

  struct Solution {
    std::vector<sim::SignalId> emitted;  // outputs, in order of id
    std::shared_ptr<const Term> rest;    // the program for the next instant; null: terminated
  };
  // Returns the coherent reactions of the next instant to the inputs present, without an
  // instantaneous loop; gives up (returns nothing, *gave_up set) past 4096 guesses.
  std::vector<Solution> reactions(const std::vector<sim::SignalId>& present, bool* gave_up);
  // Goes on from one of the reactions returned.
  void go_on(const Solution& chosen);

 private:
  friend class Run;
  const sim::KernelProgram& p_;
  std::shared_ptr<const Term> rest_;
  bool started_ = false;
};

#endif  // MORVAC_TESTS_SIM_ORACLE_H
