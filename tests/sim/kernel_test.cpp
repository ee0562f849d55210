// The rules of construction that KernelBuilder::finish enforces, one broken at a time.
#include <gtest/gtest.h>

#include <functional>

#include "kernel.h"

using namespace sim;

TEST(SimKernel, FinishRefusesEachBrokenRule) {
  const SourceRange r;
  const std::vector<std::pair<std::string, std::function<StmtId(KernelBuilder&)>>> cases = {
      {"", [&](KernelBuilder& b) { return b.trap(0, b.exit(b.new_trap(), r), r); }},
      {"a statement used twice",
       [&](KernelBuilder& b) {
         b.nothing(r);
         const StmtId p = b.pause(r);
         return b.sequence({p, p}, r);
       }},
      {"a statement that was never built", [&](KernelBuilder& b) { return b.loop(7, r); }},
      {"an exit outside its trap", [&](KernelBuilder& b) { return b.exit(b.new_trap(), r); }},
      {"a trap declared twice or never made",
       [&](KernelBuilder& b) {
         const TrapId t = b.new_trap();
         return b.trap(t, b.trap(t, b.nothing(r), r), r);
       }},
      {"a trap declared twice or never made",
       [&](KernelBuilder& b) { return b.trap(3, b.nothing(r), r); }},
      {"local signal L used outside its declaration",
       [&](KernelBuilder& b) { return b.emit(b.local("L"), r); }},
      {"local signal L used outside its declaration",
       [&](KernelBuilder& b) { return b.present(b.signal(b.local("L")), kNone, kNone, r); }},
      {"local signal L used outside its declaration",
       [&](KernelBuilder& b) {
         const SignalId l = b.local("L");
         return b.sequence({b.signal_scope(l, b.nothing(r), r), b.emit(l, r)}, r);
       }},
      {"a local signal declared twice, or a declaration of another signal",
       [&](KernelBuilder& b) {
         const SignalId l = b.local("L");
         return b.parallel({b.signal_scope(l, b.nothing(r), r), b.signal_scope(l, b.emit(l, r), r)},
                           r);
       }},
      {"a local signal declared twice, or a declaration of another signal",
       [&](KernelBuilder& b) { return b.signal_scope(b.output("O"), b.nothing(r), r); }},
      {"input signal I emitted", [&](KernelBuilder& b) { return b.emit(b.input("I"), r); }},
      {"a signal that was never declared", [&](KernelBuilder& b) { return b.emit(5, r); }},
      {"an expression that was never built",
       [&](KernelBuilder& b) { return b.suspend(b.pause(r), 9, r); }},
      {"an input relation names a signal that is not an input",
       [&](KernelBuilder& b) {
         b.exclusion({b.input("I"), b.output("O")}, r);
         return b.nothing(r);
       }},
      {"statements nested too deeply",
       [&](KernelBuilder& b) {
         StmtId s = b.pause(r);
         for (std::uint32_t i = 0; i <= kMaxNesting; ++i) s = b.loop(s, r);
         return s;
       }},
  };
  for (const auto& [problem, build] : cases) {
    KernelBuilder b;
    std::string said = "not called";
    const StmtId root = build(b);
    EXPECT_EQ(b.finish(root, &said).has_value(), problem.empty()) << problem;
    EXPECT_EQ(said, problem);
  }
}
