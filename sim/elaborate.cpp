#include "elaborate.h"

#include <algorithm>
#include <map>
#include <unordered_map>
#include <utility>

#include "derived.h"

namespace sim {

namespace {

using esterel::Kind;
using esterel::NodeId;

constexpr const char* kData = ": morvac-sim simulates pure Esterel, without data";

// The deepest nesting of statements elaborated (each expands into several kernel levels, which
// finish bounds in turn by kMaxNesting).
constexpr std::uint32_t kMaxSourceNesting = 2000;

struct Module {
  std::uint32_t file;
  NodeId node;
};

// A trap in scope: its kernel trap, and for a trap with handlers the signal that its exits emit.
struct TrapName {
  std::string name;
  TrapId trap;
  SignalId exited;
};

// The signals in scope, by name: a name finds its innermost declaration at the same cost however
// many signals are in scope.
class SignalScope {
 public:
  SignalScope() = default;
  SignalScope(const SignalScope&) = delete;  // order_ points into by_name_
  SignalScope& operator=(const SignalScope&) = delete;
  SignalScope(SignalScope&&) = default;
  SignalScope& operator=(SignalScope&&) = default;

  void declare(const std::string& name, SignalId s) {
    std::vector<SignalId>& declarations = by_name_[name];
    declarations.push_back(s);
    order_.push_back(&declarations);
  }
  // Forgets the last `count` declarations.
  void leave(std::size_t count) {
    for (; count > 0; --count) {
      order_.back()->pop_back();
      order_.pop_back();
    }
  }
  [[nodiscard]] SignalId find(const std::string& name) const {
    const auto it = by_name_.find(name);
    return it == by_name_.end() || it->second.empty() ? kNone : it->second.back();
  }

 private:
  std::unordered_map<std::string, std::vector<SignalId>> by_name_;  // innermost last
  std::vector<std::vector<SignalId>*> order_;  // the declarations, in order (elements stay put)
};

class Elaborator {
 public:
  explicit Elaborator(const std::vector<SourceFile>& files) : files_(files) {}

  Elaboration run(const std::string& main_module) {
    Elaboration out;
    const Module* main = find_modules(main_module);
    if (main != nullptr) {
      enter(main->file);
      out.module = name(part(main->node, 0));
      running_.push_back(*main);
      const StmtId body = module_body(main->node, true);
      std::string problem;
      if (diagnostics_.empty()) out.program = b_.finish(body, &problem);
      if (!problem.empty()) {
        diagnostics_.push_back(Diagnostic{kNone,
                                          {},
                                          false,
                                          problem == "statements nested too deeply"
                                              ? "the program is nested too deeply to simulate"
                                              : problem});
      }
    }
    out.diagnostics = in_source_order(std::move(diagnostics_));
    if (!out.diagnostics.empty()) out.program.reset();
    return out;
  }

 private:
  // The errors by file and place, each with the notes that follow it.
  static std::vector<Diagnostic> in_source_order(std::vector<Diagnostic> found) {
    std::vector<std::vector<Diagnostic>> groups;
    for (Diagnostic& d : found) {
      if (!d.note || groups.empty()) groups.emplace_back();
      groups.back().push_back(std::move(d));
    }
    std::stable_sort(groups.begin(), groups.end(), [](const auto& a, const auto& b) {
      const auto place = [](const Diagnostic& d) {
        return std::make_pair(d.file == kNone ? 0 : d.file + 1, d.span.begin);
      };
      return place(a[0]) < place(b[0]);
    });
    std::vector<Diagnostic> sorted;
    for (auto& g : groups) sorted.insert(sorted.end(), g.begin(), g.end());
    return sorted;
  }

  // ---- Context: the file being read, names in scope ------------------------------------------
  void enter(std::uint32_t file) {
    file_ = file;
    tree_ = &files_[file].parse.tree;
    text_ = files_[file].text;
  }
  [[nodiscard]] Kind kind(NodeId n) const { return tree_->at(n).kind; }
  [[nodiscard]] NodeId part(NodeId n, std::size_t i) const { return esterel::child(*tree_, n, i); }
  [[nodiscard]] std::vector<NodeId> parts(NodeId n) const { return esterel::children(*tree_, n); }
  [[nodiscard]] bool has(NodeId n) const { return esterel::present(*tree_, n); }
  [[nodiscard]] std::string name(NodeId n) const {
    return std::string(esterel::text(*tree_, text_, n));
  }
  [[nodiscard]] SourceRange range(NodeId n) const {
    return SourceRange{file_, tree_->at(n).span.begin, tree_->at(n).span.end};
  }

  void error(NodeId n, const std::string& message) {
    const Diagnostic d{file_, tree_->at(n).span, false, message};
    const bool seen =
        std::any_of(diagnostics_.begin(), diagnostics_.end(), [&](const Diagnostic& o) {
          return o.file == d.file && o.span.begin == d.span.begin && o.message == d.message;
        });
    if (!seen) diagnostics_.push_back(d);
  }
  void note(std::uint32_t file, NodeId n, const std::string& message) {
    diagnostics_.push_back(Diagnostic{file, files_[file].parse.tree.at(n).span, true, message});
  }
  StmtId refuse(NodeId n, const std::string& what) {
    error(n, what + kData);
    return b_.nothing(range(n));
  }

  // ---- Modules -------------------------------------------------------------------------------
  const Module* find_modules(const std::string& wanted) {
    const Module* last = nullptr;
    for (std::uint32_t f = 0; f < files_.size(); ++f) {
      enter(f);
      for (const NodeId m : parts(tree_->root())) {
        if (kind(m) != Kind::Module) continue;
        const std::string module_name = name(part(m, 0));
        const auto [it, fresh] = modules_.emplace(module_name, Module{f, m});
        if (!fresh) {
          error(part(m, 0), "module " + module_name + " is declared twice");
          note(it->second.file, part(it->second.node, 0), "its first declaration is here");
        }
        last = &it->second;
      }
    }
    if (!wanted.empty()) {
      const auto it = modules_.find(wanted);
      if (it == modules_.end()) {
        diagnostics_.push_back(Diagnostic{kNone, {}, false, "no module named " + wanted});
        return nullptr;
      }
      return &it->second;
    }
    if (last == nullptr) diagnostics_.push_back(Diagnostic{kNone, {}, false, "no module to run"});
    return last;
  }

  // The signals that a module declares: its interface, in order.
  [[nodiscard]] std::vector<std::pair<NodeId, SignalKind>> interface_of(NodeId module) const {
    std::vector<std::pair<NodeId, SignalKind>> signals;
    for (const NodeId d : parts(part(module, 1))) {
      const Kind k = kind(d);
      if (k != Kind::Inputs && k != Kind::Outputs && k != Kind::InputOutputs) continue;
      const SignalKind sk = k == Kind::Inputs    ? SignalKind::Input
                            : k == Kind::Outputs ? SignalKind::Output
                                                 : SignalKind::InputOutput;
      for (const NodeId s : parts(d)) signals.emplace_back(s, sk);
    }
    return signals;
  }

  // Refuses the declarations of data; for the main module, declares its interface and relations.
  void declarations(NodeId module, bool main) {
    static const std::map<Kind, const char*> data = {
        {Kind::TypeDecls, "type declarations"},
        {Kind::ConstantDecls, "constants"},
        {Kind::FunctionDecls, "functions"},
        {Kind::ProcedureDecls, "procedures"},
        {Kind::TaskDecls, "tasks"},
        {Kind::Returns, "return signals"},
        {Kind::Sensors, "sensors"},
    };
    for (const NodeId d : parts(part(module, 1))) {
      const auto refused = data.find(kind(d));
      if (refused != data.end()) refuse(d, refused->second);
    }
    for (const auto& [s, sk] : interface_of(module)) {
      const std::string signal_name = name(part(s, 0));
      if (has(part(s, 1)) || has(part(s, 2))) refuse(s, "valued signal " + signal_name);
      if (!main) continue;
      if (find_signal(signal_name) != kNone) {
        error(part(s, 0), "signal " + signal_name + " is declared twice");
        continue;
      }
      const SourceRange r = range(part(s, 0));
      signals_.declare(signal_name, sk == SignalKind::Input    ? b_.input(signal_name, r)
                                    : sk == SignalKind::Output ? b_.output(signal_name, r)
                                                               : b_.inputoutput(signal_name, r));
    }
    if (!main) return;
    for (const NodeId d : parts(part(module, 1))) {
      if (kind(d) != Kind::Relations) continue;
      for (const NodeId r : parts(d)) relation(r);
    }
  }

  void relation(NodeId r) {
    std::vector<SignalId> inputs;
    for (const NodeId n : parts(r)) {
      const SignalId s = signal(n);
      if (s == kNone) return;
      const SignalKind k = b_.program().signals[s].kind;
      if (k != SignalKind::Input && k != SignalKind::InputOutput) {
        error(n, "a relation is on inputs, and " + name(n) + " is no input");
        return;
      }
      inputs.push_back(s);
    }
    if (kind(r) == Kind::Implication) {
      b_.implication(inputs[0], inputs[1], range(r));
    } else {
      b_.exclusion(inputs, range(r));
    }
  }

  StmtId module_body(NodeId module, bool main) {
    declarations(module, main);
    return statement(part(module, 2));
  }

  // ---- Names ---------------------------------------------------------------------------------
  [[nodiscard]] SignalId find_signal(const std::string& wanted) const {
    return signals_.find(wanted);
  }
  SignalId signal(NodeId n) {
    const SignalId s = find_signal(name(n));
    if (s == kNone) error(n, "no signal named " + name(n) + " here");
    return s;
  }

  // ---- Events and delays ---------------------------------------------------------------------
  ExprId event(NodeId n) {
    switch (kind(n)) {
      case Kind::Name: {
        if (name(n) == "tick" && find_signal("tick") == kNone) return b_.tick();
        const SignalId s = signal(n);
        return s == kNone ? b_.tick() : b_.signal(s);
      }
      case Kind::EventBracket:
      case Kind::EventParen:
        return event(part(n, 0));
      case Kind::EventNot:
        return b_.negation(event(part(n, 0)));
      case Kind::EventAnd:
      case Kind::EventOr: {
        const ExprId left = event(part(n, 0));
        const ExprId right = event(part(n, 1));
        return kind(n) == Kind::EventAnd ? b_.conjunction(left, right)
                                         : b_.disjunction(left, right);
      }
      case Kind::EventPre:
        error(n, "`pre` is not simulated: morvac-sim keeps no status from one instant to the next");
        return b_.tick();
      default:
        error(n, "an event is a signal, or signals with `not`, `and` and `or`");
        return b_.tick();
    }
  }

  // A count written as a number of at most 9 digits; nothing, after saying why, for another.
  std::optional<std::uint32_t> count(NodeId n) {
    const std::string digits = name(n);
    if (kind(n) != Kind::Number || digits.find_first_not_of("0123456789") != std::string::npos) {
      refuse(n, "a count that is not a number written out");
      return std::nullopt;
    }
    if (digits.size() > 9) {
      error(n, "count " + digits + " is too large to simulate");
      return std::nullopt;
    }
    return static_cast<std::uint32_t>(std::stoul(digits));
  }

  // Whether the program may grow by `more` kernel statements; says why not at n.
  bool room_for(std::uint64_t more, NodeId n) {
    if (b_.statement_count() + more <= kMaxStatements) return true;
    error(n, "this count makes the program too large to simulate (more than " +
                 std::to_string(kMaxStatements) + " kernel statements)");
    return false;
  }

  Delay delay(NodeId n) {
    if (kind(n) == Kind::Immediate) return Delay{event(part(n, 0)), 1, true};
    if (kind(n) != Kind::Counted) return Delay{event(n)};
    std::uint32_t times = count(part(n, 0)).value_or(1);
    if (times == 0) error(part(n, 0), "a delay counts at least 1 occurrence");
    // An `every` waits for its delay twice, each kernel wait of a few statements.
    if (times == 0 || !room_for(std::uint64_t{times} * 16, part(n, 0))) times = 1;
    return Delay{event(part(n, 1)), times};
  }

  std::vector<DelayCase> cases(NodeId list) {
    std::vector<DelayCase> all;
    for (const NodeId c : parts(list)) {
      const Delay d = delay(part(c, 0));
      all.push_back(DelayCase{d, optional(part(c, 1))});
    }
    return all;
  }

  // ---- Statements ----------------------------------------------------------------------------
  StmtId optional(NodeId n) { return has(n) ? statement(n) : kNone; }

  std::vector<StmtId> statements(NodeId n) {
    std::vector<StmtId> all;
    for (const NodeId s : parts(n)) all.push_back(statement(s));
    return all;
  }

  StmtId emission(NodeId n) {
    if (has(part(n, 1))) return refuse(n, "emitting a value");
    const SignalId s = signal(part(n, 0));
    if (s == kNone) return b_.nothing(range(n));
    if (b_.program().signals[s].kind == SignalKind::Input) {
      error(part(n, 0), name(part(n, 0)) + " is an input: it cannot be emitted");
      return b_.nothing(range(n));
    }
    return kind(n) == Kind::Emit ? b_.emit(s, range(n)) : sustain(b_, s, range(n));
  }

  // Statements nested deeper than kMaxSourceNesting are refused before their recursion can
  // exhaust the stack, once, at the first statement past the limit.
  StmtId statement(NodeId n) {
    if (depth_ == kMaxSourceNesting) {
      if (!too_deep_) error(n, "the program is nested too deeply to simulate");
      too_deep_ = true;
      return b_.nothing(range(n));
    }
    ++depth_;
    const StmtId s = statement_of_kind(n);
    --depth_;
    return s;
  }

  StmtId statement_of_kind(NodeId n) {
    const SourceRange r = range(n);
    switch (kind(n)) {
      case Kind::None:
      case Kind::Nothing:
        return b_.nothing(r);
      case Kind::Halt:
        return halt(b_, r);
      case Kind::Pause:
        return b_.pause(r);
      case Kind::Emit:
      case Kind::Sustain:
        return emission(n);
      case Kind::Sequence:
        return b_.sequence(statements(n), r);
      case Kind::Parallel:
        return b_.parallel(statements(n), r);
      case Kind::Block:
        return statement(part(n, 0));
      case Kind::Present: {
        const ExprId test = event(part(n, 0));
        const StmtId then_branch = optional(part(n, 1));
        return b_.present(test, then_branch, optional(part(n, 2)), r);
      }
      case Kind::PresentCases: {
        std::vector<PresentCase> all;
        for (const NodeId c : parts(part(n, 0))) {
          const ExprId test = event(part(c, 0));
          all.push_back(PresentCase{test, optional(part(c, 1))});
        }
        return present_case(b_, all, optional(part(n, 1)), r);
      }
      case Kind::Loop:
        return b_.loop(statement(part(n, 0)), r);
      case Kind::LoopEach: {
        const StmtId body = statement(part(n, 0));
        if (kind(part(n, 1)) == Kind::Immediate) {
          error(part(n, 1), "`loop ... each` takes no immediate delay");
        }
        return loop_each(b_, body, delay(part(n, 1)), r);
      }
      case Kind::Repeat:
        return repeat_statement(n);
      case Kind::LocalSignal:
        return local_signals(n);
      case Kind::Await: {
        const Delay d = delay(part(n, 0));
        return has(part(n, 1)) ? await_do(b_, d, statement(part(n, 1)), r) : await_delay(b_, d, r);
      }
      case Kind::AwaitCases:
        return await_case(b_, cases(n), r);
      case Kind::DoUpto: {
        const StmtId body = statement(part(n, 0));
        return upto(b_, body, delay(part(n, 1)), r);
      }
      case Kind::Every: {
        const Delay d = delay(part(n, 0));
        return every(b_, d, statement(part(n, 1)), r);
      }
      case Kind::DoWatching:
      case Kind::Abort: {
        const StmtId body = statement(part(n, 0));
        const Delay d = delay(part(n, 1));
        const bool weak = (tree_->at(n).flags & esterel::kWeak) != 0;
        return abort_when(b_, body, {DelayCase{d, optional(part(n, 2))}}, weak, r);
      }
      case Kind::AbortCases: {
        const StmtId body = statement(part(n, 0));
        const bool weak = (tree_->at(n).flags & esterel::kWeak) != 0;
        return abort_when(b_, body, cases(part(n, 1)), weak, r);
      }
      case Kind::Suspend:
        return suspension(n);
      case Kind::Trap:
        return trap(n);
      case Kind::Exit:
        return exit_statement(n);
      case Kind::Run:
        return run_module(n);
      case Kind::Var:
        return refuse(n, "variables");
      case Kind::Assign:
        return refuse(n, "an assignment");
      case Kind::ProcedureCall:
        return refuse(n, "a procedure call");
      case Kind::If:
        return refuse(n, "`if` (a test of values)");
      case Kind::Exec:
      case Kind::ExecCases:
        return refuse(n, "`exec` (a task)");
      case Kind::Finalize:
        error(n, "`finalize` is not simulated");
        return b_.nothing(r);
      default:
        error(n, "not a statement");
        return b_.nothing(r);
    }
  }

  StmtId repeat_statement(NodeId n) {
    const std::uint32_t times = count(part(n, 0)).value_or(1);
    if (times == 0 && (tree_->at(n).flags & esterel::kPositive) != 0) {
      error(part(n, 0), "`positive repeat` needs a count of at least 1");
    }
    const std::size_t before = b_.statement_count();
    const StmtId body = statement(part(n, 1));
    const std::uint64_t size = b_.statement_count() - before;
    if (times > 1 && !room_for(size * (times - 1), part(n, 0))) return body;
    return repeat(b_, times, body, range(n));
  }

  StmtId suspension(NodeId n) {
    const StmtId body = statement(part(n, 0));
    const NodeId when = part(n, 1);
    if (kind(when) == Kind::Counted) {
      error(when, "`suspend` takes no count");
      return body;
    }
    if (kind(when) == Kind::Immediate) {
      return suspend_immediate(b_, body, event(part(when, 0)), range(n));
    }
    return b_.suspend(body, event(when), range(n));
  }

  StmtId local_signals(NodeId n) {
    std::vector<SignalId> declared;
    for (const NodeId s : parts(part(n, 0))) {
      const std::string signal_name = name(part(s, 0));
      if (has(part(s, 1)) || has(part(s, 2))) refuse(s, "valued signal " + signal_name);
      declared.push_back(b_.local(signal_name, range(part(s, 0))));
      signals_.declare(signal_name, declared.back());
    }
    StmtId body = statement(part(n, 1));
    signals_.leave(declared.size());
    for (auto it = declared.rbegin(); it != declared.rend(); ++it) {
      body = b_.signal_scope(*it, body, range(n));
    }
    return body;
  }

  // trap T1, T2 in P handle E do Q ... end: one kernel trap for all names; with handlers, each
  // exit of Ti also emits a signal Xi, and each handler whose event holds of the Xi runs after.
  StmtId trap(NodeId n) {
    const SourceRange r = range(n);
    const bool handled = has(part(n, 2)) && esterel::child_count(*tree_, part(n, 2)) > 0;
    const TrapId t = b_.new_trap();
    const std::size_t outer = traps_.size();
    std::vector<SignalId> exited;
    for (const NodeId d : parts(part(n, 0))) {
      const std::string trap_name = name(part(d, 0));
      if (has(part(d, 1)) || has(part(d, 2))) refuse(d, "valued trap " + trap_name);
      exited.push_back(handled ? b_.local("", range(part(d, 0))) : kNone);
      traps_.push_back(TrapName{trap_name, t, exited.back()});
    }
    StmtId body = b_.trap(t, statement(part(n, 1)), r);
    if (handled) {
      std::vector<StmtId> handlers;
      for (const NodeId h : parts(part(n, 2))) {
        const ExprId when = handler_event(part(h, 0), outer);
        handlers.push_back(b_.present(when, statement(part(h, 1)), kNone, range(h)));
      }
      body = b_.sequence({body, b_.parallel(handlers, r)}, r);
    }
    traps_.resize(outer);
    for (auto it = exited.rbegin(); it != exited.rend(); ++it) {
      if (*it != kNone) body = b_.signal_scope(*it, body, r);
    }
    return body;
  }

  // An event over the names of the traps declared from traps_[first] on.
  ExprId handler_event(NodeId n, std::size_t first) {
    switch (kind(n)) {
      case Kind::Name:
        for (std::size_t i = first; i < traps_.size(); ++i) {
          if (traps_[i].name == name(n)) return b_.signal(traps_[i].exited);
        }
        error(n, "no trap named " + name(n) + " in this trap statement");
        return b_.tick();
      case Kind::EventParen:
        return handler_event(part(n, 0), first);
      case Kind::EventNot:
        return b_.negation(handler_event(part(n, 0), first));
      default: {
        const ExprId left = handler_event(part(n, 0), first);
        const ExprId right = handler_event(part(n, 1), first);
        return kind(n) == Kind::EventAnd ? b_.conjunction(left, right)
                                         : b_.disjunction(left, right);
      }
    }
  }

  StmtId exit_statement(NodeId n) {
    if (has(part(n, 1))) return refuse(n, "an exit with a value");
    const std::string trap_name = name(part(n, 0));
    for (auto it = traps_.rbegin(); it != traps_.rend(); ++it) {
      if (it->name != trap_name) continue;
      const StmtId out = b_.exit(it->trap, range(n));
      if (it->exited == kNone) return out;
      return b_.sequence({b_.emit(it->exited, range(n)), out}, range(n));
    }
    error(part(n, 0), "no trap named " + trap_name + " around this exit");
    return b_.nothing(range(n));
  }

  // run M [signal S / T, ...]: the body of M, its signals bound to those in scope of the same
  // name or renamed; its traps and local signals its own.
  StmtId run_module(NodeId n) {
    const NodeId module_name = has(part(n, 1)) ? part(n, 1) : part(n, 0);
    const auto found = modules_.find(name(module_name));
    if (found == modules_.end()) {
      error(module_name, "no module named " + name(module_name));
      return b_.nothing(range(n));
    }
    const Module m = found->second;
    if (std::any_of(running_.begin(), running_.end(),
                    [&](const Module& r) { return r.file == m.file && r.node == m.node; })) {
      error(module_name, "module " + name(module_name) + " runs itself");
      return b_.nothing(range(n));
    }
    const std::size_t errors_before = diagnostics_.size();
    std::map<std::string, SignalId> renamed;  // M's name -> the signal in scope
    for (const NodeId block : parts(part(n, 2))) {
      if (kind(block) != Kind::SignalRenamings) {
        refuse(block, "renaming data");
        continue;
      }
      for (const NodeId renaming : parts(block)) {
        const SignalId s = signal(part(renaming, 0));
        renamed[name(has(part(renaming, 1)) ? part(renaming, 1) : part(renaming, 0))] = s;
      }
    }
    // M's interface, bound in the scope of the run.
    const std::uint32_t caller_file = file_;
    enter(m.file);
    std::vector<std::string> names;
    for (const auto& interface_signal : interface_of(m.node)) {
      names.push_back(name(part(interface_signal.first, 0)));
    }
    enter(caller_file);
    SignalScope bound;
    for (const auto& [old_name, s] : renamed) {
      if (std::find(names.begin(), names.end(), old_name) == names.end()) {
        error(module_name, "module " + name(module_name) + " has no signal " + old_name);
      }
    }
    for (const std::string& signal_name : names) {
      const auto it = renamed.find(signal_name);
      const SignalId s = it != renamed.end() ? it->second : find_signal(signal_name);
      if (s == kNone && it == renamed.end()) {
        error(module_name,
              "no signal named " + signal_name + " here for module " + name(module_name));
      }
      bound.declare(signal_name, s);
    }
    if (diagnostics_.size() != errors_before) return b_.nothing(range(n));

    auto outer_signals = std::move(signals_);
    auto outer_traps = std::move(traps_);
    signals_ = std::move(bound);
    traps_.clear();
    running_.push_back(m);
    enter(m.file);
    const StmtId body = module_body(m.node, false);
    running_.pop_back();
    enter(caller_file);
    signals_ = std::move(outer_signals);
    traps_ = std::move(outer_traps);
    return body;
  }

  const std::vector<SourceFile>& files_;
  KernelBuilder b_;
  std::vector<Diagnostic> diagnostics_;
  std::map<std::string, Module> modules_;
  std::vector<Module> running_;  // the modules being put in place, from the main one

  std::uint32_t file_ = 0;
  const esterel::Tree* tree_ = nullptr;
  std::string_view text_;
  SignalScope signals_;
  std::vector<TrapName> traps_;  // in scope, innermost last
  std::uint32_t depth_ = 0;      // statements being elaborated, one inside the other
  bool too_deep_ = false;
};

}  // namespace

Elaboration elaborate(const std::vector<SourceFile>& files, const std::string& main_module) {
  return Elaborator(files).run(main_module);
}

}  // namespace sim
