#include "derived.h"

namespace sim {

namespace {

// The first instant where event is present: from this instant on (immediate) or from the next.
StmtId wait_once(KernelBuilder& b, ExprId event, bool immediate, SourceRange r) {
  const TrapId t = b.new_trap();
  const StmtId test = b.present(event, b.exit(t, r), kNone, r);
  const StmtId pause = b.pause(r);
  const StmtId body = immediate ? b.sequence({test, pause}, r) : b.sequence({pause, test}, r);
  return b.trap(t, b.loop(body, r), r);
}

// Runs body until delay ends it; the suspension of a strong preemption freezes the body in
// the instant the delay ends, a weak one lets it run that instant. The handler of the first
// case that ends (in order) runs then. Body kNone stands for `halt`, always with weak.
StmtId preempt(KernelBuilder& b, StmtId body, const std::vector<DelayCase>& cases, bool weak,
               SourceRange r) {
  const TrapId done = b.new_trap();
  const bool plain = cases.size() == 1 && cases[0].handler == kNone;
  const bool strong = !weak;
  std::vector<TrapId> ends;
  std::vector<StmtId> branches;
  std::vector<SignalId> counted;  // signals that say "the count is reached" to the suspension
  ExprId suspension = kNone;
  ExprId first_instant = kNone;  // the immediate events, which also act in the first instant
  for (const DelayCase& c : cases) {
    ends.push_back(plain ? done : b.new_trap());
    std::vector<StmtId> watcher{await_delay(b, c.delay, r)};
    ExprId ended = c.delay.event;
    if (strong && c.delay.count > 1) {
      counted.push_back(b.local("", r));
      watcher.push_back(b.emit(counted.back(), r));
      ended = b.signal(counted.back());
    }
    watcher.push_back(b.exit(ends.back(), r));
    branches.push_back(b.sequence(watcher, r));
    suspension = suspension == kNone ? ended : b.disjunction(suspension, ended);
    if (c.delay.immediate) {
      first_instant =
          first_instant == kNone ? c.delay.event : b.disjunction(first_instant, c.delay.event);
    }
  }
  if (body != kNone) {
    StmtId guarded = b.sequence({body, b.exit(done, r)}, r);
    if (strong) {
      guarded = b.suspend(guarded, suspension, r);
      if (first_instant != kNone) guarded = b.present(first_instant, kNone, guarded, r);
    }
    branches.insert(branches.begin(), guarded);
  }
  StmtId inner = branches.size() == 1 ? branches[0] : b.parallel(branches, r);
  for (const SignalId s : counted) inner = b.signal_scope(s, inner, r);
  if (plain) return b.trap(done, inner, r);
  // The trap of the first case is the outermost: its exit wins over the others'.
  StmtId nest = b.trap(ends.back(), inner, r);
  for (std::size_t i = cases.size() - 1; i > 0; --i) {
    std::vector<StmtId> parts{nest};
    if (cases[i].handler != kNone) parts.push_back(cases[i].handler);
    parts.push_back(b.exit(done, r));
    nest = b.trap(ends[i - 1], b.sequence(parts, r), r);
  }
  std::vector<StmtId> parts{nest};
  if (cases[0].handler != kNone) parts.push_back(cases[0].handler);
  return b.trap(done, b.sequence(parts, r), r);
}

// One round of `loop body each delay`: body, then nothing, until the delay ends the round (the
// watcher never ends by itself, so neither does the parallel when the body ends).
StmtId each_round(KernelBuilder& b, StmtId body, Delay d, SourceRange r) {
  d.immediate = false;
  const TrapId next = b.new_trap();
  std::vector<StmtId> watcher{await_delay(b, d, r)};
  ExprId ended = d.event;
  SignalId counted = kNone;
  if (d.count > 1) {
    counted = b.local("", r);
    watcher.push_back(b.emit(counted, r));
    ended = b.signal(counted);
  }
  watcher.push_back(b.exit(next, r));
  const StmtId frozen = b.suspend(body, ended, r);
  StmtId round = b.trap(next, b.parallel({frozen, b.sequence(watcher, r)}, r), r);
  if (counted != kNone) round = b.signal_scope(counted, round, r);
  return round;
}

}  // namespace

StmtId halt(KernelBuilder& b, SourceRange r) {
  return b.loop(b.pause(r), r);
}

StmtId sustain(KernelBuilder& b, SignalId s, SourceRange r) {
  return b.loop(b.sequence({b.emit(s, r), b.pause(r)}, r), r);
}

StmtId await_delay(KernelBuilder& b, Delay d, SourceRange r) {
  if (d.count <= 1) return wait_once(b, d.event, d.immediate, r);
  std::vector<StmtId> waits;
  for (std::uint32_t i = 0; i < d.count; ++i) waits.push_back(wait_once(b, d.event, false, r));
  return b.sequence(waits, r);
}

StmtId await_do(KernelBuilder& b, Delay d, StmtId body, SourceRange r) {
  return b.sequence({await_delay(b, d, r), body}, r);
}

StmtId await_case(KernelBuilder& b, const std::vector<DelayCase>& cases, SourceRange r) {
  if (cases.size() == 1) {
    const StmtId wait = await_delay(b, cases[0].delay, r);
    return cases[0].handler == kNone ? wait : b.sequence({wait, cases[0].handler}, r);
  }
  return preempt(b, kNone, cases, true, r);
}

StmtId abort_when(KernelBuilder& b, StmtId body, const std::vector<DelayCase>& cases, bool weak,
                  SourceRange r) {
  return preempt(b, body, cases, weak, r);
}

StmtId every(KernelBuilder& b, Delay d, StmtId body, SourceRange r) {
  const StmtId first = await_delay(b, d, r);
  return b.sequence({first, b.loop(each_round(b, body, d, r), r)}, r);
}

StmtId loop_each(KernelBuilder& b, StmtId body, Delay d, SourceRange r) {
  return b.loop(each_round(b, body, d, r), r);
}

StmtId suspend_immediate(KernelBuilder& b, StmtId body, ExprId test, SourceRange r) {
  return b.sequence({wait_once(b, b.negation(test), true, r), b.suspend(body, test, r)}, r);
}

StmtId repeat(KernelBuilder& b, std::uint32_t count, StmtId body, SourceRange r) {
  if (count == 0) return b.nothing(r);
  std::vector<StmtId> copies{body};
  for (std::uint32_t i = 1; i < count; ++i) copies.push_back(b.duplicate(body));
  return b.sequence(copies, r);
}

StmtId upto(KernelBuilder& b, StmtId body, Delay d, SourceRange r) {
  return preempt(b, b.sequence({body, halt(b, r)}, r), {DelayCase{d}}, false, r);
}

StmtId present_case(KernelBuilder& b, const std::vector<PresentCase>& cases, StmtId otherwise,
                    SourceRange r) {
  StmtId chain = otherwise;
  for (std::size_t i = cases.size(); i > 0; --i) {
    chain = b.present(cases[i - 1].event, cases[i - 1].body, chain, r);
  }
  return chain;
}

}  // namespace sim
