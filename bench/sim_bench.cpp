// morvac-sim on generated pure Esterel programs of n and 8n statements (n = 100 and 1000):
// the program text read and elaborated, then run instant by instant. Prints the time to read
// it, the instants per second of the engine and of the terminal protocol, and the time of an
// instant at 8n over its time at n (linear in the active part: under 10).
//
// Two shapes, written as Esterel text and read as morvac-sim reads its files: cells in parallel,
// each a loop of an await, an emission, a test of the signal that the cell before emitted in the
// same instant and an `every`, under an abort (every statement is active at each instant); and
// one long loop of awaits and emissions (one await active).
//
// Usage: sim_bench [scale]   (scale 1 is the full run, about 20 s; 0.1 a quick look)
#include <malloc.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "program_files.h"
#include "simulator.h"
#include "terminal.h"

using namespace sim;

namespace {

constexpr int kSignals = 16;

struct Generated {
  std::string text;
  int statements = 0;  // as a reader counts them: each simple or compound statement once
};

std::string numbered(const char* prefix, int k) {
  return prefix + std::to_string(((k % kSignals) + kSignals) % kSignals);
}

std::string interface(const char* module) {
  std::string text = std::string("module ") + module + ":\ninput ";
  for (int i = 0; i < kSignals; ++i) text += (i ? ", " : "") + numbered("I", i);
  text += ";\noutput ";
  for (int i = 0; i < kSignals; ++i) text += (i ? ", " : "") + numbered("O", i);
  return text + ";\n\n";
}

// signal S0, ... in [ loop abort await I; emit S; present S' then emit O end;
// every J do emit O' end when K end loop || ... ] end signal: nine statements a cell.
Generated cells(int statements) {
  const int n = std::max(2, statements / 9);
  Generated g{interface("CELLS"), 0};
  g.text += "signal ";
  for (int k = 0; k < n; ++k) g.text += (k ? ", S" : "S") + std::to_string(k);
  g.text += " in\n";
  for (int k = 0; k < n; ++k) {
    const std::string before = "S" + std::to_string((k + n - 1) % n);
    g.text += k ? "||\n" : "";
    g.text += "  loop\n    abort\n";
    g.text += "      await " + numbered("I", k) + ";\n";
    g.text += "      emit S" + std::to_string(k) + ";\n";
    g.text += "      present " + before + " then emit " + numbered("O", k) + " end present;\n";
    g.text +=
        "      every " + numbered("I", k + 3) + " do emit " + numbered("O", k + 5) + " end every\n";
    g.text += "    when " + numbered("I", k + 7) + "\n  end loop\n";
    g.statements += 9;  // loop, abort, await, emit, present, emit, every, emit, the sequence
  }
  g.text += "end signal\n\nend module\n";
  g.statements += 2;  // the parallel and the local signal
  return g;
}

// loop await I0; emit O0; await I1; emit O1; ... end loop
Generated sequence(int statements) {
  Generated g{interface("SEQUENCE") + "loop\n", 2};  // the loop and its sequence
  for (int k = 0; g.statements < statements; ++k) {
    g.text += std::string(k ? ";\n" : "") + "  await " + numbered("I", k) + ";\n  emit " +
              numbered("O", k);
    g.statements += 2;
  }
  g.text += "\nend loop\n\nend module\n";
  return g;
}

double seconds_since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// 1024 instants, each input present with probability 0.3, as names and as ids.
struct Trace {
  std::vector<std::vector<SignalId>> ids;
  std::string lines;
};

Trace random_trace(const KernelProgram& program) {
  std::mt19937 rng(7);
  Trace trace;
  trace.ids.resize(1024);
  for (auto& instant : trace.ids) {
    std::string line;
    for (SignalId s = 0; s < program.signals.size(); ++s) {
      if (program.signals[s].kind != SignalKind::Input || rng() % 10 >= 3) continue;
      instant.push_back(s);
      line += (line.empty() ? "" : " ") + program.signals[s].name;
    }
    trace.lines += line + "\n";
  }
  return trace;
}

[[noreturn]] void refused(const std::string& what) {
  std::fprintf(stderr, "%s\n", what.c_str());
  std::exit(2);
}

// One program measured: the best time seen of each measure, in seconds (an instant's for the
// engine and the terminal).
struct Subject {
  Generated generated;
  ProgramFiles program;
  Trace trace;
  double read = 1e9;
  double instant = 1e9;
  double terminal = 1e9;

  explicit Subject(Generated g) : generated(std::move(g)) {
    program = read_program_files({{"bench.strl", generated.text}}, "");
    if (!program.program) {
      refused("the generated program was refused: " +
              format_diagnostic(program, program.diagnostics.front()));
    }
    trace = random_trace(*program.program);
  }

  // Reads and elaborates the text again and again for `seconds` (three times at least).
  void measure_read(double seconds) {
    const auto first = std::chrono::steady_clock::now();
    for (int round = 0; round < 3 || seconds_since(first) < seconds; ++round) {
      const auto start = std::chrono::steady_clock::now();
      const ProgramFiles again = read_program_files({{"bench.strl", generated.text}}, "");
      read = std::min(read, seconds_since(start));
    }
  }

  // Runs the engine from its first instant on the trace for `seconds`.
  void measure_engine(double seconds) {
    Simulator simulator(*program.program);
    std::size_t instants = 0;
    const auto start = std::chrono::steady_clock::now();
    double elapsed = 0;
    do {
      for (int i = 0; i < 256; ++i, ++instants) {
        if (simulator.react(trace.ids[instants % trace.ids.size()]).error.kind !=
            ReactionError::Kind::None) {
          refused("an instant of the generated program was refused");
        }
      }
      elapsed = seconds_since(start);
    } while (elapsed < seconds);
    instant = std::min(instant, elapsed / static_cast<double>(instants));
  }

  // Runs the terminal protocol (names read, outputs written) on the trace repeated to last about
  // `seconds` at the engine's speed.
  void measure_terminal(double seconds) {
    const std::size_t repeats =
        std::max<std::size_t>(1, static_cast<std::size_t>(seconds / instant / 1024));
    std::string lines;
    for (std::size_t i = 0; i < repeats; ++i) lines += trace.lines;
    std::istringstream in(lines);
    std::ostringstream out, err;
    const auto start = std::chrono::steady_clock::now();
    if (run_in_terminal(program, in, out, err) != 0)
      refused("the terminal run stopped: " + err.str());
    terminal = std::min(terminal, seconds_since(start) / static_cast<double>(repeats * 1024));
  }
};

std::string ratio_text(double ratio) {
  char text[16];
  std::snprintf(text, sizeof text, "%.2f", ratio);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  // The heap keeps what it frees, so that every size but the first reads into memory already
  // mapped: the kernel's page faults, which a fresh morvac-sim pays at any size, would otherwise
  // fall on the large sizes only (the small ones reuse the heap) and hide what reading costs.
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  const double scale = argc > 1 ? std::atof(argv[1]) : 1.0;
  const double seconds = 0.3 * scale;
  std::printf("%-9s %10s %7s %9s %6s %12s %6s %12s\n", "shape", "statements", "kernel", "read ms",
              "ratio", "instants/s", "ratio", "terminal/s");
  bool linear = true;
  bool fast = true;
  for (const auto& [name, make] :
       {std::pair<const char*, Generated (*)(int)>{"cells", cells}, {"sequence", sequence}}) {
    for (const int n : {100, 1000}) {
      // n and 8n take turns, five rounds, so that a change of the machine's load falls on both.
      Subject small(make(n));
      Subject large(make(8 * n));
      for (int round = 0; round < 5; ++round) {
        for (Subject* subject : {&small, &large}) {
          subject->measure_read(seconds / 5);
          subject->measure_engine(seconds / 5);
          subject->measure_terminal(seconds / 10);
        }
      }
      const double read_ratio = large.read / small.read;
      const double instant_ratio = large.instant / small.instant;
      linear = linear && read_ratio < 10 && instant_ratio < 10;
      fast = fast && (n != 100 || 1 / small.instant >= 100000);
      for (const Subject* subject : {&small, &large}) {
        const bool eightfold = subject == &large;
        std::printf("%-9s %10d %7zu %9.3f %6s %12.0f %6s %12.0f\n", name,
                    subject->generated.statements, subject->program.program->stmts.size(),
                    subject->read * 1000, eightfold ? ratio_text(read_ratio).c_str() : "",
                    1 / subject->instant, eightfold ? ratio_text(instant_ratio).c_str() : "",
                    1 / subject->terminal);
      }
    }
  }
  std::printf("%s; %s\n",
              fast ? "at least 100000 instants/s at 100 statements"
                   : "SLOWER than 100000 instants/s at 100 statements",
              linear ? "linear: every ratio under 10" : "NOT LINEAR: a ratio of 10 or more");
  return 0;
}
