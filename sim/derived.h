// The derived statements of pure Esterel, each built as its expansion into kernel statements.
// The source range given is the range of every kernel statement of the expansion, so that the
// simulator's messages point at the statement that the user wrote.
#ifndef MORVAC_SIM_DERIVED_H
#define MORVAC_SIM_DERIVED_H

#include <vector>

#include "kernel.h"

namespace sim {

// A delay: `event`, `immediate event` or `count event` (count at least 1; immediate only with
// a count of 1).
struct Delay {
  ExprId event = kNone;
  std::uint32_t count = 1;
  bool immediate = false;
};

// One case of a preemption or of `await case`: its delay and what runs when it ends the
// statement (kNone: nothing).
struct DelayCase {
  Delay delay;
  StmtId handler = kNone;
};

// One case of `present case`.
struct PresentCase {
  ExprId event = kNone;
  StmtId body = kNone;
};

StmtId halt(KernelBuilder& b, SourceRange range);
StmtId sustain(KernelBuilder& b, SignalId s, SourceRange range);
// await delay
StmtId await_delay(KernelBuilder& b, Delay d, SourceRange range);
// await delay do body end
StmtId await_do(KernelBuilder& b, Delay d, StmtId body, SourceRange range);
// await case ... end: the first case in order wins when several end in the same instant.
StmtId await_case(KernelBuilder& b, const std::vector<DelayCase>& cases, SourceRange range);
// abort / weak abort body when cases: one case without handler is the plain form, one case
// with a handler the `when ... do` form, several the `case` form.
StmtId abort_when(KernelBuilder& b, StmtId body, const std::vector<DelayCase>& cases, bool weak,
                  SourceRange range);
// every delay do body end
StmtId every(KernelBuilder& b, Delay d, StmtId body, SourceRange range);
// loop body each delay
StmtId loop_each(KernelBuilder& b, StmtId body, Delay d, SourceRange range);
// suspend body when immediate test
StmtId suspend_immediate(KernelBuilder& b, StmtId body, ExprId test, SourceRange range);
// repeat count times body end: count copies of body in sequence (nothing for 0).
StmtId repeat(KernelBuilder& b, std::uint32_t count, StmtId body, SourceRange range);
// do body upto delay
StmtId upto(KernelBuilder& b, StmtId body, Delay d, SourceRange range);
// present case e1 do p1 case e2 do p2 ... else q end (otherwise kNone: no else)
StmtId present_case(KernelBuilder& b, const std::vector<PresentCase>& cases, StmtId otherwise,
                    SourceRange range);

// `do body watching delay` is abort_when with one case; `do body watching delay timeout
// handler end` is abort_when with one case and its handler.

}  // namespace sim

#endif  // MORVAC_SIM_DERIVED_H
