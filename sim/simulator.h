// Runs a kernel program instant by instant under the constructive semantics of Esterel.
//
// Each instant is a network of three-valued gates (ternary_net.h) built over the part of the
// program that can run in it: the statements selected by the last instant, and what they can
// start. A statement reached twice in one instant (a loop body restarting, a local signal
// declared again) gets a second copy with fresh signals. Spreading the known values settles
// every signal whose status follows from what must and what can be emitted; a signal left
// unknown makes the instant non-constructive, and the instant is refused with it.
#ifndef MORVAC_SIM_SIMULATOR_H
#define MORVAC_SIM_SIMULATOR_H

#include <cstdint>
#include <string>
#include <vector>

#include "kernel.h"
#include "ternary_net.h"

namespace sim {

struct ReactionError {
  enum class Kind : std::uint8_t { None, NotConstructive, InstantaneousLoop, InputRelation };
  Kind kind = Kind::None;
  // The first test that waits on an unsettled signal, the loop, or the relation.
  SourceRange range;
  // The signals whose status cannot be settled, or the inputs that break the relation.
  std::vector<SignalId> signals;
  std::uint64_t instant = 0;   // counted from 1
  std::uint32_t relation = 0;  // the relation broken, in KernelProgram::relations
};

struct Reaction {
  std::vector<SignalId> emitted;  // the outputs present in the instant, in order of id
  bool terminated = false;        // the program has terminated, in this instant or before
  ReactionError error;            // Kind::None when the instant ran
};

class Simulator {
 public:
  // The program must outlive the simulator.
  explicit Simulator(const KernelProgram& program);

  // Back to the state before the first instant.
  void reset();
  // Runs one instant with the inputs `present` present (ids of input or inputoutput signals;
  // other ids are ignored); returns the outputs emitted, or why the instant cannot run. An
  // input relation broken leaves the state as it was; after any other error every later
  // instant returns that error until reset().
  const Reaction& react(const std::vector<SignalId>& present);

  [[nodiscard]] std::uint64_t instant() const { return instant_; }

 private:
  // The completion codes of a statement built: 0 terminates, 1 pauses, k >= 2 exits the
  // (k-2)-th trap around it; codes_[begin + k] is the wire of code k (missing codes are 0).
  struct Completion {
    std::uint32_t begin;
    std::uint32_t size;
  };
  // A compound statement or a pause started, as built in this instant.
  struct Instance {
    StmtId stmt;
    std::uint32_t parent;  // instance, or kNone for the program's body
    Lit selected;          // it pauses (code 1) at the end of the instant
    std::uint8_t kept;     // 0 not decided, 1 selected for the next instant, 2 not
  };
  struct Frozen {  // a suspend statement whose body may keep its state without running
    std::uint32_t suspend;
    Lit suspended;
  };
  struct Restart {  // a loop body started in this instant: terminating now is an error
    StmtId loop;
    Lit terminates;
  };
  struct Test {  // a present or suspend whose test is not a constant when built
    StmtId stmt;
    Lit active;
    Lit value;
    std::uint32_t first_read;  // in reads_
    std::uint32_t read_count;
  };
  struct Status {  // the status of an output or of a local signal's copy
    SignalId signal;
    Lit lit;
  };

  bool inputs_break_a_relation();
  void start_instant();
  Completion build(StmtId id, bool depth, Lit act, std::uint32_t parent);
  Completion start(StmtId id, Lit act, std::uint32_t parent);
  Completion combine(StmtId id, std::uint32_t begin, std::uint32_t parts);
  Completion single(std::uint32_t begin, std::uint32_t code, Lit act);
  void add_instance(StmtId stmt, std::uint32_t parent, Lit selected);
  Lit code(Completion c, std::uint32_t k) const {
    return k < c.size ? codes_[c.begin + k] : kFalse;
  }
  Lit evaluate(ExprId e);
  Lit test(StmtId id, Lit act);
  bool find_errors();
  void commit();
  bool keep(std::uint32_t instance);
  void link(StmtId child, StmtId parent);

  const KernelProgram& program_;
  Reaction reaction_;
  std::uint64_t instant_ = 0;
  bool started_ = false;
  bool selected_ = false;  // the program's body is selected for the next instant
  bool failed_ = false;

  // The selection between instants: the selected children of each selected statement.
  std::vector<StmtId> first_;
  std::vector<StmtId> next_;
  std::vector<std::uint64_t> touched_;  // the last instant that rebuilt its list

  std::vector<SignalId> interface_;  // the signals that are not local, in order of id

  // The instant being built.
  std::vector<bool> given_;  // the inputs present
  TernaryNet net_;
  std::vector<Lit> lit_;             // each signal's status in the scope being built
  std::vector<std::uint32_t> gate_;  // its open gate (outputs and local signals)
  std::vector<Lit> codes_;
  std::vector<Completion> parts_;
  std::vector<Lit> result_;
  std::vector<Lit> within_;  // per branch of a parallel: terminated with a code <= k
  std::vector<Instance> instances_;
  std::vector<std::uint32_t> pauses_;
  std::vector<Frozen> frozen_;
  std::vector<Restart> restarts_;
  std::vector<Test> tests_;
  std::vector<Status> reads_;
  std::vector<Status> statuses_;
  Completion body_{0, 0};
};

// Returns the message for an error of simulation, without its location: for example
// "instant 2 is not constructive: the status of O cannot be settled".
std::string describe(const KernelProgram& program, const ReactionError& error);

}  // namespace sim

#endif  // MORVAC_SIM_SIMULATOR_H
