// The simulator's engine on generated programs of n, 8n and 80n statements: instants per second,
// and the time of an instant at 8n over its time at n (linear in the active part: under 10).
//
// Two shapes: cells in parallel, each a loop of awaits, emissions, a test of the signal that the
// cell before emitted in the same instant and an `every`, under an abort (every statement is
// active at each instant); and one long sequence of awaits and emissions (one await active).
//
// Usage: sim_bench [scale]   (scale 1 is the full run, about 10 s; 0.1 a quick look)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "derived.h"
#include "simulator.h"

using namespace sim;

namespace {

constexpr int kSignals = 16;

struct Generated {
  KernelProgram program;
  std::vector<SignalId> inputs;
};

// The statements of source text that the builder calls stand for, counted as a reader would.
struct Counted {
  KernelBuilder b;
  std::vector<SignalId> inputs, outputs;
  int statements = 0;
  SourceRange r;

  StmtId count(StmtId s, int n = 1) {
    statements += n;
    return s;
  }
  ExprId in(int k) { return b.signal(inputs[static_cast<std::size_t>(k % kSignals)]); }
  SignalId out(int k) { return outputs[static_cast<std::size_t>(k % kSignals)]; }
};

Counted interface() {
  Counted c;
  for (int i = 0; i < kSignals; ++i) {
    c.inputs.push_back(c.b.input("I" + std::to_string(i)));
    c.outputs.push_back(c.b.output("O" + std::to_string(i)));
  }
  return c;
}

// loop abort await I; emit S[k]; present S[k-1] then emit O end; every I do emit O end when I
// end: ten statements.
Generated cells(int statements) {
  Counted c = interface();
  const int n = std::max(2, statements / 10);
  std::vector<SignalId> links;
  links.reserve(static_cast<std::size_t>(n));
  for (int k = 0; k < n; ++k) links.push_back(c.b.local("S" + std::to_string(k)));
  std::vector<StmtId> branches;
  for (int k = 0; k < n; ++k) {
    const StmtId wait = c.count(await_delay(c.b, Delay{c.in(k)}, c.r));
    const StmtId link = c.count(c.b.emit(links[static_cast<std::size_t>(k)], c.r));
    const StmtId test =
        c.count(c.b.present(c.b.signal(links[static_cast<std::size_t>((k + n - 1) % n)]),
                            c.count(c.b.emit(c.out(k), c.r)), kNone, c.r));
    const StmtId repeat =
        c.count(every(c.b, Delay{c.in(k + 3)}, c.count(c.b.emit(c.out(k + 5), c.r)), c.r));
    const StmtId body = c.count(c.b.sequence({wait, link, test, repeat}, c.r));
    branches.push_back(c.count(c.b.loop(
        c.count(abort_when(c.b, body, {DelayCase{Delay{c.in(k + 7)}}}, false, c.r)), c.r)));
  }
  StmtId root = c.count(c.b.parallel(branches, c.r));
  for (const SignalId s : links) root = c.count(c.b.signal_scope(s, root, c.r));
  std::string problem;
  return Generated{*c.b.finish(root, &problem), c.inputs};
}

// loop await I; emit O; await I; emit O; ... end
Generated sequence(int statements) {
  Counted c = interface();
  std::vector<StmtId> steps;
  for (int k = 0; c.statements < statements - 2; ++k) {
    steps.push_back(c.count(await_delay(c.b, Delay{c.in(k)}, c.r)));
    steps.push_back(c.count(c.b.emit(c.out(k), c.r)));
  }
  const StmtId root = c.count(c.b.loop(c.count(c.b.sequence(steps, c.r)), c.r));
  std::string problem;
  return Generated{*c.b.finish(root, &problem), c.inputs};
}

// Seconds per instant, the best of three runs of at least `seconds` each.
double per_instant(const Generated& g, double seconds) {
  std::mt19937 rng(7);
  std::vector<std::vector<SignalId>> trace(1024);
  for (auto& instant : trace) {
    for (const SignalId s : g.inputs) {
      if (rng() % 10 < 3) instant.push_back(s);
    }
  }
  Simulator simulator(g.program);
  double best = 1e9;
  for (int round = 0; round < 3; ++round) {
    simulator.reset();
    std::size_t instants = 0;
    const auto start = std::chrono::steady_clock::now();
    double elapsed = 0;
    do {
      for (int i = 0; i < 256; ++i, ++instants) {
        if (simulator.react(trace[instants % trace.size()]).error.kind !=
            ReactionError::Kind::None) {
          std::fprintf(stderr, "the generated program was refused\n");
          std::exit(2);
        }
      }
      elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    } while (elapsed < seconds);
    best = std::min(best, elapsed / static_cast<double>(instants));
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  const double scale = argc > 1 ? std::atof(argv[1]) : 1.0;
  const double seconds = 0.3 * scale;
  std::printf("%-10s %10s %8s %14s %12s\n", "shape", "statements", "kernel", "instants/s",
              "ratio 8n/n");
  bool linear = true;
  bool fast = true;
  for (const auto& [name, make] :
       {std::pair<const char*, Generated (*)(int)>{"cells", cells}, {"sequence", sequence}}) {
    double previous = 0;
    for (const int statements : {100, 800, 1000, 8000}) {
      const Generated g = make(statements);
      const double t = per_instant(g, seconds);
      const bool eightfold = statements == 800 || statements == 8000;
      const double ratio = eightfold ? t / previous : 0;
      linear = linear && (!eightfold || ratio < 10);
      fast = fast && (statements != 100 || 1 / t >= 100000);
      std::printf("%-10s %10d %8zu %14.0f %12s\n", name, statements, g.program.stmts.size(), 1 / t,
                  eightfold ? std::to_string(ratio).substr(0, 5).c_str() : "");
      previous = t;
    }
  }
  std::printf("%s; %s\n",
              fast ? "at least 100000 instants/s at 100 statements"
                   : "SLOWER than 100000 instants/s at 100 statements",
              linear ? "linear: every ratio under 10" : "NOT LINEAR: a ratio of 10 or more");
  return 0;
}
