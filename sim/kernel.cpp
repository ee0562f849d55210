#include "kernel.h"

#include <utility>

namespace sim {

SignalId KernelBuilder::add_signal(std::string name, SignalKind kind, SourceRange range) {
  program_.signals.push_back(SignalInfo{std::move(name), kind, range});
  return static_cast<SignalId>(program_.signals.size() - 1);
}

SignalId KernelBuilder::input(std::string name, SourceRange range) {
  return add_signal(std::move(name), SignalKind::Input, range);
}
SignalId KernelBuilder::output(std::string name, SourceRange range) {
  return add_signal(std::move(name), SignalKind::Output, range);
}
SignalId KernelBuilder::inputoutput(std::string name, SourceRange range) {
  return add_signal(std::move(name), SignalKind::InputOutput, range);
}
SignalId KernelBuilder::local(std::string name, SourceRange range) {
  return add_signal(std::move(name), SignalKind::Local, range);
}
TrapId KernelBuilder::new_trap() {
  return trap_count_++;
}

ExprId KernelBuilder::add_expr(Expr expr) {
  program_.exprs.push_back(expr);
  return static_cast<ExprId>(program_.exprs.size() - 1);
}
ExprId KernelBuilder::tick() {
  return add_expr(Expr{ExprKind::Tick});
}
ExprId KernelBuilder::signal(SignalId s) {
  return add_expr(Expr{ExprKind::Signal, s});
}
ExprId KernelBuilder::negation(ExprId e) {
  return add_expr(Expr{ExprKind::Not, kNone, e});
}
ExprId KernelBuilder::conjunction(ExprId left, ExprId right) {
  return add_expr(Expr{ExprKind::And, kNone, left, right});
}
ExprId KernelBuilder::disjunction(ExprId left, ExprId right) {
  return add_expr(Expr{ExprKind::Or, kNone, left, right});
}

StmtId KernelBuilder::add(Stmt stmt) {
  program_.stmts.push_back(stmt);
  return static_cast<StmtId>(program_.stmts.size() - 1);
}

StmtId KernelBuilder::add(StmtKind kind, SourceRange range, StmtId body, std::uint32_t Stmt::*field,
                          std::uint32_t value) {
  Stmt s;
  s.kind = kind;
  s.range = range;
  s.body = body;
  if (field != nullptr) s.*field = value;
  return add(s);
}

StmtId KernelBuilder::nothing(SourceRange range) {
  return add(StmtKind::Nothing, range);
}
StmtId KernelBuilder::pause(SourceRange range) {
  return add(StmtKind::Pause, range);
}
StmtId KernelBuilder::emit(SignalId signal, SourceRange range) {
  return add(StmtKind::Emit, range, kNone, &Stmt::signal, signal);
}
StmtId KernelBuilder::present(ExprId test, StmtId then_branch, StmtId else_branch,
                              SourceRange range) {
  const StmtId id = add(StmtKind::Present, range, then_branch, &Stmt::test, test);
  program_.stmts[id].alternative = else_branch;
  return id;
}
StmtId KernelBuilder::suspend(StmtId body, ExprId test, SourceRange range) {
  return add(StmtKind::Suspend, range, body, &Stmt::test, test);
}
StmtId KernelBuilder::trap(TrapId t, StmtId body, SourceRange range) {
  return add(StmtKind::Trap, range, body, &Stmt::trap, t);
}
StmtId KernelBuilder::exit(TrapId t, SourceRange range) {
  return add(StmtKind::Exit, range, kNone, &Stmt::trap, t);
}
StmtId KernelBuilder::sequence(const std::vector<StmtId>& parts, SourceRange range) {
  const StmtId id = add(StmtKind::Sequence, range);
  program_.stmts[id].first_child = static_cast<std::uint32_t>(program_.children.size());
  program_.stmts[id].child_count = static_cast<std::uint32_t>(parts.size());
  program_.children.insert(program_.children.end(), parts.begin(), parts.end());
  return id;
}
StmtId KernelBuilder::parallel(const std::vector<StmtId>& branches, SourceRange range) {
  const StmtId id = sequence(branches, range);
  program_.stmts[id].kind = StmtKind::Parallel;
  return id;
}
StmtId KernelBuilder::loop(StmtId body, SourceRange range) {
  return add(StmtKind::Loop, range, body);
}
StmtId KernelBuilder::signal_scope(SignalId local, StmtId body, SourceRange range) {
  return add(StmtKind::Signal, range, body, &Stmt::signal, local);
}

void KernelBuilder::exclusion(const std::vector<SignalId>& inputs, SourceRange range) {
  program_.relations.push_back(Relation{true, inputs, range});
}
void KernelBuilder::implication(SignalId premise, SignalId conclusion, SourceRange range) {
  program_.relations.push_back(Relation{false, {premise, conclusion}, range});
}

ExprId KernelBuilder::duplicate_expr(ExprId e, const std::vector<SignalId>& renamed) {
  Expr x = program_.exprs[e];
  if (x.kind == ExprKind::Signal) {
    if (renamed[x.signal] != kNone) return signal(renamed[x.signal]);
    return e;
  }
  if (x.left != kNone) x.left = duplicate_expr(x.left, renamed);
  if (x.right != kNone) x.right = duplicate_expr(x.right, renamed);
  return add_expr(x);
}

StmtId KernelBuilder::duplicate(StmtId id, std::vector<SignalId>& renamed,
                                std::vector<TrapId>& traps) {
  Stmt s = program_.stmts[id];
  if (s.kind == StmtKind::Signal) {
    const SignalInfo info = program_.signals[s.signal];
    renamed.push_back(kNone);  // the new signal itself is never renamed
    renamed[s.signal] = local(info.name, info.range);
    s.signal = renamed[s.signal];
    s.body = duplicate(s.body, renamed, traps);
    return add(s);
  }
  if (s.kind == StmtKind::Trap) {
    traps.resize(trap_count_ + 1, kNone);
    traps[s.trap] = new_trap();
    s.trap = traps[s.trap];
    s.body = duplicate(s.body, renamed, traps);
    return add(s);
  }
  if (s.kind == StmtKind::Exit && s.trap < traps.size() && traps[s.trap] != kNone) {
    s.trap = traps[s.trap];
  }
  if (s.kind == StmtKind::Emit && renamed[s.signal] != kNone) s.signal = renamed[s.signal];
  if (s.test != kNone) s.test = duplicate_expr(s.test, renamed);
  if (s.body != kNone) s.body = duplicate(s.body, renamed, traps);
  if (s.alternative != kNone) s.alternative = duplicate(s.alternative, renamed, traps);
  if (s.kind == StmtKind::Sequence || s.kind == StmtKind::Parallel) {
    std::vector<StmtId> parts;
    for (std::uint32_t i = 0; i < s.child_count; ++i) {
      parts.push_back(duplicate(program_.children[s.first_child + i], renamed, traps));
    }
    const StmtId copy = sequence(parts, s.range);
    program_.stmts[copy].kind = s.kind;
    return copy;
  }
  return add(s);
}

StmtId KernelBuilder::duplicate(StmtId s) {
  std::vector<SignalId> renamed(program_.signals.size(), kNone);
  std::vector<TrapId> traps(trap_count_, kNone);
  return duplicate(s, renamed, traps);
}

namespace {

// Walks the tree once: checks the rules of construction and fills parents and positions.
class Checker {
 public:
  Checker(KernelProgram& program, std::uint32_t trap_count)
      : p_(program),
        used_(program.stmts.size(), false),
        open_trap_level_(trap_count, kNone),
        trap_declared_(trap_count, false),
        in_scope_(program.signals.size(), false),
        declared_(program.signals.size(), false) {
    p_.parent.assign(p_.stmts.size(), kNone);
    p_.position.assign(p_.stmts.size(), 0);
  }

  std::string check(StmtId root) {
    for (const Relation& r : p_.relations) {
      for (const SignalId s : r.signals) {
        if (s >= p_.signals.size() || (p_.signals[s].kind != SignalKind::Input &&
                                       p_.signals[s].kind != SignalKind::InputOutput)) {
          return "an input relation names a signal that is not an input";
        }
      }
    }
    visit(root, kNone, 0, 0);
    return problem_;
  }

 private:
  void fail(const std::string& what) {
    if (problem_.empty()) problem_ = what;
  }

  void check_expr(ExprId e) {
    if (e >= p_.exprs.size()) return fail("an expression that was never built");
    const Expr& x = p_.exprs[e];
    if (x.kind == ExprKind::Signal) return check_signal(x.signal);
    if (x.left != kNone) check_expr(x.left);
    if (x.right != kNone) check_expr(x.right);
  }

  void check_signal(SignalId s) {
    if (s >= p_.signals.size()) return fail("a signal that was never declared");
    if (p_.signals[s].kind == SignalKind::Local && !in_scope_[s]) {
      fail("local signal " + p_.signals[s].name + " used outside its declaration");
    }
  }

  void visit(StmtId id, StmtId parent, std::uint32_t position, std::uint32_t depth) {
    if (!problem_.empty()) return;
    if (id >= p_.stmts.size()) return fail("a statement that was never built");
    if (used_[id]) return fail("a statement used twice");
    if (depth > kMaxNesting) return fail("statements nested too deeply");
    used_[id] = true;
    p_.parent[id] = parent;
    p_.position[id] = position;
    Stmt& s = p_.stmts[id];
    switch (s.kind) {
      case StmtKind::Nothing:
      case StmtKind::Pause:
        return;
      case StmtKind::Emit:
        check_signal(s.signal);
        if (problem_.empty() && p_.signals[s.signal].kind == SignalKind::Input) {
          fail("input signal " + p_.signals[s.signal].name + " emitted");
        }
        return;
      case StmtKind::Present:
        check_expr(s.test);
        if (s.body != kNone) visit(s.body, id, 0, depth + 1);
        if (s.alternative != kNone) visit(s.alternative, id, 1, depth + 1);
        return;
      case StmtKind::Suspend:
        check_expr(s.test);
        return visit(s.body, id, 0, depth + 1);
      case StmtKind::Trap:
        if (s.trap >= open_trap_level_.size() || trap_declared_[s.trap]) {
          return fail("a trap declared twice or never made");
        }
        trap_declared_[s.trap] = true;
        open_trap_level_[s.trap] = open_traps_++;
        visit(s.body, id, 0, depth + 1);
        --open_traps_;
        open_trap_level_[s.trap] = kNone;
        return;
      case StmtKind::Exit:
        if (s.trap >= open_trap_level_.size() || open_trap_level_[s.trap] == kNone) {
          return fail("an exit outside its trap");
        }
        s.exit_code = 2 + (open_traps_ - 1 - open_trap_level_[s.trap]);
        return;
      case StmtKind::Sequence:
      case StmtKind::Parallel:
        for (std::uint32_t i = 0; i < s.child_count; ++i) {
          visit(p_.children[s.first_child + i], id, i, depth + 1);
        }
        return;
      case StmtKind::Loop:
        return visit(s.body, id, 0, depth + 1);
      case StmtKind::Signal:
        if (s.signal >= p_.signals.size() || p_.signals[s.signal].kind != SignalKind::Local ||
            declared_[s.signal]) {
          return fail("a local signal declared twice, or a declaration of another signal");
        }
        declared_[s.signal] = in_scope_[s.signal] = true;
        visit(s.body, id, 0, depth + 1);
        in_scope_[s.signal] = false;
        return;
    }
  }

  KernelProgram& p_;
  std::vector<bool> used_;
  std::vector<std::uint32_t> open_trap_level_;
  std::vector<bool> trap_declared_;
  std::vector<bool> in_scope_;
  std::vector<bool> declared_;
  std::uint32_t open_traps_ = 0;
  std::string problem_;
};

}  // namespace

std::optional<KernelProgram> KernelBuilder::finish(StmtId root, std::string* problem) {
  KernelProgram program = std::move(program_);
  program_ = KernelProgram{};
  const std::uint32_t traps = trap_count_;
  trap_count_ = 0;
  program.root = root;
  *problem = Checker(program, traps).check(root);
  if (!problem->empty()) return std::nullopt;
  return program;
}

}  // namespace sim
