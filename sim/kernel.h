// The kernel of pure Esterel: eleven statements (nothing, pause, emit, present, suspend, trap,
// exit, sequence, parallel, loop, local signal) kept in one arena and named by index, each with
// the source range it comes from. Every other statement is built from these (derived.h), and
// the simulator runs them (simulator.h).
#ifndef MORVAC_SIM_KERNEL_H
#define MORVAC_SIM_KERNEL_H

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sim {

// Bytes [begin, end) of source file number `file`.
struct SourceRange {
  std::uint32_t file = 0;
  std::uint32_t begin = 0;
  std::uint32_t end = 0;
};

using StmtId = std::uint32_t;
using ExprId = std::uint32_t;
using SignalId = std::uint32_t;
using TrapId = std::uint32_t;
constexpr std::uint32_t kNone = 0xffffffffu;

enum class StmtKind : std::uint8_t {
  Nothing,
  Pause,
  Emit,      // signal
  Present,   // test, body (then, kNone for nothing), alternative (else, kNone for nothing)
  Suspend,   // body, test
  Trap,      // trap, body
  Exit,      // trap, exit_code
  Sequence,  // children
  Parallel,  // children
  Loop,      // body
  Signal,    // signal (a local one), body
};

struct Stmt {
  StmtKind kind = StmtKind::Nothing;
  SignalId signal = kNone;
  ExprId test = kNone;
  StmtId body = kNone;
  StmtId alternative = kNone;
  std::uint32_t first_child = 0;  // in KernelProgram::children
  std::uint32_t child_count = 0;
  TrapId trap = kNone;
  // 2 for an exit of the innermost trap around it, 3 for the next one out, and so on: the
  // completion code that it gives.
  std::uint32_t exit_code = 0;
  SourceRange range;
};

enum class ExprKind : std::uint8_t { Tick, Signal, Not, And, Or };

struct Expr {
  ExprKind kind = ExprKind::Tick;
  SignalId signal = kNone;  // Signal
  ExprId left = kNone;      // Not, And, Or
  ExprId right = kNone;     // And, Or
};

enum class SignalKind : std::uint8_t { Input, Output, InputOutput, Local };

struct SignalInfo {
  std::string name;
  SignalKind kind = SignalKind::Local;
  SourceRange range;
};

// An input relation: at most one of `signals` present in an instant (exclusion), or the
// second present whenever the first is (implication).
struct Relation {
  bool exclusion = true;
  std::vector<SignalId> signals;
  SourceRange range;
};

struct KernelProgram {
  std::vector<Stmt> stmts;
  std::vector<StmtId> children;
  std::vector<Expr> exprs;
  std::vector<SignalInfo> signals;
  std::vector<Relation> relations;
  StmtId root = kNone;
  // Filled by KernelBuilder::finish: the statement around each one and its place there.
  std::vector<StmtId> parent;
  std::vector<std::uint32_t> position;

  [[nodiscard]] const Stmt& at(StmtId id) const { return stmts[id]; }
  [[nodiscard]] StmtId child(StmtId id, std::uint32_t i) const {
    return children[stmts[id].first_child + i];
  }
};

// Builds a kernel program bottom-up: each statement is made from statements made before it,
// and each is used once. Names of traps and local signals are fresh per call.
class KernelBuilder {
 public:
  SignalId input(std::string name, SourceRange range = {});
  SignalId output(std::string name, SourceRange range = {});
  SignalId inputoutput(std::string name, SourceRange range = {});
  // A local signal, to be declared by exactly one signal_scope.
  SignalId local(std::string name, SourceRange range = {});
  TrapId new_trap();

  ExprId tick();
  ExprId signal(SignalId s);
  ExprId negation(ExprId e);
  ExprId conjunction(ExprId left, ExprId right);
  ExprId disjunction(ExprId left, ExprId right);

  StmtId nothing(SourceRange range);
  StmtId pause(SourceRange range);
  StmtId emit(SignalId s, SourceRange range);
  // kNone for a missing branch.
  StmtId present(ExprId test, StmtId then_branch, StmtId else_branch, SourceRange range);
  StmtId suspend(StmtId body, ExprId test, SourceRange range);
  StmtId trap(TrapId t, StmtId body, SourceRange range);
  StmtId exit(TrapId t, SourceRange range);
  StmtId sequence(const std::vector<StmtId>& parts, SourceRange range);
  StmtId parallel(const std::vector<StmtId>& branches, SourceRange range);
  StmtId loop(StmtId body, SourceRange range);
  StmtId signal_scope(SignalId local, StmtId body, SourceRange range);

  void exclusion(const std::vector<SignalId>& inputs, SourceRange range);
  void implication(SignalId premise, SignalId conclusion, SourceRange range);

  // Returns a copy of statement s built afresh: its own traps and local signals.
  StmtId duplicate(StmtId s);

  [[nodiscard]] std::size_t statement_count() const { return program_.stmts.size(); }
  [[nodiscard]] const KernelProgram& program() const { return program_; }

  // Returns the program whose body is root, or nothing with *problem saying which rule of
  // construction was broken (a statement used twice, an exit outside its trap, ...). The
  // builder is left empty.
  std::optional<KernelProgram> finish(StmtId root, std::string* problem);

 private:
  SignalId add_signal(std::string name, SignalKind kind, SourceRange range);
  StmtId add(Stmt stmt);
  // Adds a statement of kind over body (kNone: none), with one more field set when one is named.
  StmtId add(StmtKind kind, SourceRange range, StmtId body = kNone,
             std::uint32_t Stmt::*field = nullptr, std::uint32_t value = kNone);
  ExprId add_expr(Expr expr);
  ExprId duplicate_expr(ExprId e, const std::vector<SignalId>& renamed);
  StmtId duplicate(StmtId s, std::vector<SignalId>& renamed, std::vector<TrapId>& traps);

  KernelProgram program_;
  TrapId trap_count_ = 0;
};

// Nesting deeper than this is refused by finish, so that the recursions of finish and of the
// simulator stay within the stack (8 MB, with the larger frames of a sanitized build).
constexpr std::uint32_t kMaxNesting = 5000;

}  // namespace sim

#endif  // MORVAC_SIM_KERNEL_H
