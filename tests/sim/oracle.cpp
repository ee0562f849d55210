#include "oracle.h"

#include <algorithm>

using namespace sim;

// What is left of a statement between two instants.
struct Term {
  enum class Kind { Start, Over, Sequence, Parallel, Loop, Suspend, Trap, Signal };
  Kind kind;
  StmtId stmt;
  std::uint32_t next = 0;  // Sequence: the next child to start
  std::vector<std::shared_ptr<const Term>> parts;
};

using TermRef = std::shared_ptr<const Term>;

namespace {
TermRef make(Term::Kind kind, StmtId stmt, std::vector<TermRef> parts, std::uint32_t next = 0) {
  return std::make_shared<const Term>(Term{kind, stmt, next, std::move(parts)});
}
}  // namespace

// One run of an instant under one sequence of guesses.
class Run {
 public:
  Run(const KernelProgram& p, const std::vector<bool>& inputs, std::vector<bool>& guesses)
      : p_(p), inputs_(inputs), guesses_(guesses), current_(p.signals.size(), -1) {
    for (SignalId s = 0; s < p.signals.size(); ++s) {
      if (p.signals[s].kind == SignalKind::Output || p.signals[s].kind == SignalKind::InputOutput) {
        current_[s] = fresh(s);
        if (p.signals[s].kind == SignalKind::InputOutput && inputs[s])
          copies_.back().emitted = true;
      }
    }
  }

  // The code of t in this instant; *rest is what is left when it pauses.
  int run(const TermRef& t, TermRef* rest) {
    switch (t->kind) {
      case Term::Kind::Start:
        return start(t->stmt, rest);
      case Term::Kind::Over:
        return 0;
      case Term::Kind::Sequence: {
        TermRef part;
        const int code = run(t->parts[0], &part);
        if (code == 1) *rest = make(Term::Kind::Sequence, t->stmt, {part}, t->next);
        return code == 0 ? sequence_from(t->stmt, t->next, rest) : code;
      }
      case Term::Kind::Parallel:
        return parallel(t->stmt, t->parts, rest);
      case Term::Kind::Loop: {
        TermRef part;
        int code = run(t->parts[0], &part);
        if (code == 0) code = loop_body(t->stmt, &part);
        if (code == 1) *rest = make(Term::Kind::Loop, t->stmt, {part});
        return code;
      }
      case Term::Kind::Suspend: {
        if (test(p_.at(t->stmt).test)) {
          *rest = t;
          return 1;
        }
        return wrap(Term::Kind::Suspend, t->stmt, run(t->parts[0], rest), rest);
      }
      case Term::Kind::Trap:
        return trap(t->stmt, run(t->parts[0], rest), rest);
      case Term::Kind::Signal: {
        const int outer = enter(p_.at(t->stmt).signal);
        const int code = run(t->parts[0], rest);
        current_[p_.at(t->stmt).signal] = outer;
        return wrap(Term::Kind::Signal, t->stmt, code, rest);
      }
    }
    return 0;
  }

  // Whether every guess matched what was emitted, with no instantaneous loop.
  [[nodiscard]] bool coherent() const {
    return !broken_ && std::all_of(copies_.begin(), copies_.end(),
                                   [](const Copy& c) { return c.guess == c.emitted; });
  }
  [[nodiscard]] bool present(SignalId s) const { return copies_[current_[s]].emitted; }
  [[nodiscard]] std::size_t guesses_taken() const { return taken_; }

 private:
  struct Copy {
    bool guess;
    bool emitted;
  };

  int fresh(SignalId) {
    if (taken_ == guesses_.size()) guesses_.push_back(false);
    copies_.push_back(Copy{guesses_[taken_++], false});
    return static_cast<int>(copies_.size() - 1);
  }
  int enter(SignalId s) {
    const int outer = current_[s];
    current_[s] = fresh(s);
    return outer;
  }

  bool test(ExprId e) {
    const Expr& x = p_.exprs[e];
    switch (x.kind) {
      case ExprKind::Tick:
        return true;
      case ExprKind::Signal:
        if (p_.signals[x.signal].kind == SignalKind::Input) return inputs_[x.signal];
        return copies_[current_[x.signal]].guess;
      case ExprKind::Not:
        return !test(x.left);
      case ExprKind::And: {
        const bool left = test(x.left);
        return test(x.right) && left;
      }
      case ExprKind::Or: {
        const bool left = test(x.left);
        return test(x.right) || left;
      }
    }
    return false;
  }

  static int wrap(Term::Kind kind, StmtId stmt, int code, TermRef* rest) {
    if (code == 1) *rest = make(kind, stmt, {*rest});
    return code;
  }

  int trap(StmtId stmt, int code, TermRef* rest) {
    if (code == 1) *rest = make(Term::Kind::Trap, stmt, {*rest});
    if (code == 2) return 0;
    return code > 2 ? code - 1 : code;
  }

  int loop_body(StmtId loop, TermRef* rest) {
    const int code = start(p_.at(loop).body, rest);
    if (code == 0) broken_ = true;
    return code == 0 ? 3 + 1000 : code;  // an instantaneous loop: no reaction
  }

  int sequence_from(StmtId seq, std::uint32_t i, TermRef* rest) {
    for (; i < p_.at(seq).child_count; ++i) {
      TermRef part;
      const int code = start(p_.child(seq, i), &part);
      if (code == 1) *rest = make(Term::Kind::Sequence, seq, {part}, i + 1);
      if (code != 0) return code;
    }
    return 0;
  }

  int parallel(StmtId par, const std::vector<TermRef>& branches, TermRef* rest) {
    int highest = 0;
    std::vector<TermRef> going_on;
    for (const TermRef& branch : branches) {
      TermRef part;
      const int code = run(branch, &part);
      highest = std::max(highest, code);
      if (code == 1) going_on.push_back(part);
    }
    if (highest == 1) *rest = make(Term::Kind::Parallel, par, going_on);
    return highest;
  }

  int start(StmtId id, TermRef* rest) {
    const Stmt& s = p_.at(id);
    switch (s.kind) {
      case StmtKind::Nothing:
        return 0;
      case StmtKind::Pause:
        *rest = make(Term::Kind::Over, id, {});
        return 1;
      case StmtKind::Emit:
        copies_[current_[s.signal]].emitted = true;
        return 0;
      case StmtKind::Exit:
        return static_cast<int>(s.exit_code);
      case StmtKind::Present: {
        const StmtId branch = test(s.test) ? s.body : s.alternative;
        return branch == kNone ? 0 : start(branch, rest);
      }
      case StmtKind::Suspend:
        return wrap(Term::Kind::Suspend, id, start(s.body, rest), rest);
      case StmtKind::Trap:
        return trap(id, start(s.body, rest), rest);
      case StmtKind::Sequence:
        return sequence_from(id, 0, rest);
      case StmtKind::Parallel: {
        std::vector<TermRef> branches;
        for (std::uint32_t i = 0; i < s.child_count; ++i) {
          branches.push_back(make(Term::Kind::Start, p_.child(id, i), {}));
        }
        return parallel(id, branches, rest);
      }
      case StmtKind::Loop: {
        const int code = loop_body(id, rest);
        return wrap(Term::Kind::Loop, id, code, rest);
      }
      case StmtKind::Signal: {
        const int outer = enter(s.signal);
        const int code = start(s.body, rest);
        current_[s.signal] = outer;
        return wrap(Term::Kind::Signal, id, code, rest);
      }
    }
    return 0;
  }

  const KernelProgram& p_;
  const std::vector<bool>& inputs_;
  std::vector<bool>& guesses_;
  std::size_t taken_ = 0;
  std::vector<Copy> copies_;
  std::vector<int> current_;  // the copy of each signal in the scope being run
  bool broken_ = false;
};

std::vector<Oracle::Solution> Oracle::reactions(const std::vector<SignalId>& present,
                                                bool* gave_up) {
  *gave_up = false;
  std::vector<Solution> found;
  if (started_ && !rest_) return {Solution{{}, nullptr}};
  std::vector<bool> inputs(p_.signals.size(), false);
  for (const SignalId s : present) inputs[s] = true;
  const TermRef program = started_ ? rest_ : make(Term::Kind::Start, p_.root, {});
  std::vector<bool> guesses;
  for (int runs = 0;; ++runs) {
    if (runs == 4096) {
      *gave_up = true;
      return {};
    }
    Run run(p_, inputs, guesses);
    TermRef rest;
    const int code = run.run(program, &rest);
    guesses.resize(run.guesses_taken());
    if (run.coherent()) {
      Solution s{{}, code == 1 ? rest : nullptr};
      for (SignalId o = 0; o < p_.signals.size(); ++o) {
        const SignalKind kind = p_.signals[o].kind;
        if ((kind == SignalKind::Output || kind == SignalKind::InputOutput) && run.present(o)) {
          s.emitted.push_back(o);
        }
      }
      found.push_back(s);
    }
    while (!guesses.empty() && guesses.back()) guesses.pop_back();
    if (guesses.empty()) return found;
    guesses.back() = true;
  }
}

void Oracle::go_on(const Solution& chosen) {
  started_ = true;
  rest_ = chosen.rest;
}
