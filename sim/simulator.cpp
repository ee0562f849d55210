#include "simulator.h"

#include <algorithm>

namespace sim {

Simulator::Simulator(const KernelProgram& program)
    : program_(program),
      first_(program.stmts.size(), kNone),
      next_(program.stmts.size(), kNone),
      touched_(program.stmts.size(), 0),
      given_(program.signals.size(), false),
      lit_(program.signals.size(), kFalse),
      gate_(program.signals.size(), 0) {
  for (SignalId s = 0; s < program.signals.size(); ++s) {
    if (program.signals[s].kind != SignalKind::Local) interface_.push_back(s);
  }
}

void Simulator::reset() {
  instant_ = 0;
  started_ = selected_ = failed_ = false;
  reaction_ = Reaction{};
  // The selection lists are stamped with instant numbers, which start again from 1.
  std::fill(first_.begin(), first_.end(), kNone);
  std::fill(next_.begin(), next_.end(), kNone);
  std::fill(touched_.begin(), touched_.end(), 0);
}

bool Simulator::inputs_break_a_relation() {
  for (const Relation& r : program_.relations) {
    std::vector<SignalId> breaking;
    if (r.exclusion) {
      for (const SignalId s : r.signals) {
        if (given_[s]) breaking.push_back(s);
      }
      if (breaking.size() < 2) continue;
    } else {
      if (!given_[r.signals[0]] || given_[r.signals[1]]) continue;
      breaking = r.signals;
    }
    reaction_.error =
        ReactionError{ReactionError::Kind::InputRelation, r.range, breaking, instant_ + 1,
                      static_cast<std::uint32_t>(&r - program_.relations.data())};
    return true;
  }
  return false;
}

const Reaction& Simulator::react(const std::vector<SignalId>& present) {
  if (failed_) return reaction_;
  for (const SignalId s : interface_) given_[s] = false;
  for (const SignalId s : present) {
    if (s < given_.size() && (program_.signals[s].kind == SignalKind::Input ||
                              program_.signals[s].kind == SignalKind::InputOutput)) {
      given_[s] = true;
    }
  }
  reaction_.emitted.clear();
  reaction_.error = ReactionError{};
  if (inputs_break_a_relation()) return reaction_;
  ++instant_;
  start_instant();
  if (started_ && !selected_) {  // terminated before: nothing runs any more
    reaction_.terminated = true;
    net_.settle();
  } else {
    body_ = build(program_.root, started_, kTrue, kNone);
    net_.settle();
    if (find_errors()) {
      failed_ = true;
      return reaction_;
    }
    commit();
    reaction_.terminated = !selected_;
  }
  started_ = true;
  for (const SignalId s : interface_) {
    if (program_.signals[s].kind != SignalKind::Input && net_.value(lit_[s]) == Value::One) {
      reaction_.emitted.push_back(s);
    }
  }
  return reaction_;
}

void Simulator::start_instant() {
  net_.clear();
  codes_.clear();
  parts_.clear();
  instances_.clear();
  pauses_.clear();
  frozen_.clear();
  restarts_.clear();
  tests_.clear();
  reads_.clear();
  statuses_.clear();
  for (const SignalId s : interface_) {
    if (program_.signals[s].kind == SignalKind::Input) {
      lit_[s] = given_[s] ? kTrue : kFalse;
    } else {
      gate_[s] = net_.open_gate();
      lit_[s] = TernaryNet::output(gate_[s]);
      statuses_.push_back(Status{s, lit_[s]});
      if (given_[s]) net_.add_input(gate_[s], kTrue);
    }
  }
}

Lit Simulator::evaluate(ExprId e) {
  const Expr& x = program_.exprs[e];
  switch (x.kind) {
    case ExprKind::Tick:
      return kTrue;
    case ExprKind::Signal: {
      const SignalKind kind = program_.signals[x.signal].kind;
      // An emission already certain in this instant settles the status at once.
      if (kind != SignalKind::Input && net_.forced(gate_[x.signal])) return kTrue;
      if (lit_[x.signal] != kTrue && lit_[x.signal] != kFalse) {
        reads_.push_back(Status{x.signal, lit_[x.signal]});
      }
      return lit_[x.signal];
    }
    case ExprKind::Not:
      return negation(evaluate(x.left));
    case ExprKind::And:
      return net_.conjunction(evaluate(x.left), evaluate(x.right));
    case ExprKind::Or:
      return net_.disjunction(evaluate(x.left), evaluate(x.right));
  }
  return kFalse;
}

// The value of the statement's test, noted for the messages when it is not known yet.
Lit Simulator::test(StmtId id, Lit act) {
  const auto first_read = static_cast<std::uint32_t>(reads_.size());
  const Lit value = evaluate(program_.at(id).test);
  if (value != kTrue && value != kFalse) {
    tests_.push_back(
        Test{id, act, value, first_read, static_cast<std::uint32_t>(reads_.size()) - first_read});
  } else {
    reads_.resize(first_read);
  }
  return value;
}

// Field by field: a whole Instance built on the stack and copied stalls on its store.
void Simulator::add_instance(StmtId stmt, std::uint32_t parent, Lit selected) {
  instances_.emplace_back();
  Instance& in = instances_.back();
  in.stmt = stmt;
  in.parent = parent;
  in.selected = selected;
  in.kept = 0;
}

Simulator::Completion Simulator::single(std::uint32_t begin, std::uint32_t code, Lit act) {
  codes_.resize(begin + code + 1, kFalse);
  codes_[begin + code] = act;
  return Completion{begin, code + 1};
}

// Builds a statement started in this instant by act, or nothing when act is 0; kNone is
// `nothing`.
Simulator::Completion Simulator::start(StmtId id, Lit act, std::uint32_t parent) {
  const auto top = static_cast<std::uint32_t>(codes_.size());
  if (act == kFalse) return Completion{top, 0};
  if (id == kNone) return single(top, 0, act);
  return build(id, false, act, parent);
}

// Builds statement id in this instant: its depth (it was selected and resumes) or its surface
// (it starts); act is the wire that says it runs. Pushes its completion codes.
Simulator::Completion Simulator::build(StmtId id, bool depth, Lit act, std::uint32_t parent) {
  const Stmt& s = program_.at(id);
  const auto begin = static_cast<std::uint32_t>(codes_.size());
  switch (s.kind) {
    case StmtKind::Nothing:
      return single(begin, 0, act);
    case StmtKind::Emit:
      net_.add_input(gate_[s.signal], act);
      return single(begin, 0, act);
    case StmtKind::Exit:
      return single(begin, s.exit_code, act);
    case StmtKind::Pause:
      if (depth) return single(begin, 0, act);
      pauses_.push_back(static_cast<std::uint32_t>(instances_.size()));
      add_instance(id, parent, act);
      return single(begin, 1, act);
    case StmtKind::Sequence:
    case StmtKind::Parallel:
      if (s.child_count == 0) return single(begin, 0, act);
      break;
    default:
      break;
  }
  const auto me = static_cast<std::uint32_t>(instances_.size());
  add_instance(id, parent, kFalse);
  const auto parts = static_cast<std::uint32_t>(parts_.size());
  switch (s.kind) {
    case StmtKind::Present:
      if (depth) {
        parts_.push_back(build(first_[id], true, act, me));
      } else {
        const Lit value = test(id, act);
        parts_.push_back(start(s.body, net_.conjunction(act, value), me));
        parts_.push_back(start(s.alternative, net_.conjunction(act, negation(value)), me));
      }
      break;
    case StmtKind::Suspend:
      if (depth) {
        const Lit value = test(id, act);
        const Lit suspended = net_.conjunction(act, value);
        const Lit resumed = net_.conjunction(act, negation(value));
        if (resumed != kFalse) parts_.push_back(build(s.body, true, resumed, me));
        if (suspended != kFalse) {
          frozen_.push_back(Frozen{me, suspended});
          parts_.push_back(single(static_cast<std::uint32_t>(codes_.size()), 1, suspended));
        }
      } else {
        parts_.push_back(build(s.body, false, act, me));
      }
      break;
    case StmtKind::Sequence: {
      std::uint32_t i = 0;
      Lit go = act;
      if (depth) {
        i = program_.position[first_[id]];
        parts_.push_back(build(first_[id], true, act, me));
        go = code(parts_.back(), 0);
        ++i;
      }
      for (; i < s.child_count && go != kFalse; ++i) {
        parts_.push_back(build(program_.child(id, i), false, go, me));
        go = code(parts_.back(), 0);
      }
      break;
    }
    case StmtKind::Loop:
      if (depth) {
        parts_.push_back(build(s.body, true, act, me));
        act = code(parts_.back(), 0);
      }
      if (act != kFalse) {
        parts_.push_back(build(s.body, false, act, me));
        restarts_.push_back(Restart{id, code(parts_.back(), 0)});
      }
      break;
    case StmtKind::Parallel:
      if (depth) {
        for (StmtId c = first_[id]; c != kNone; c = next_[c]) {
          parts_.push_back(build(c, true, act, me));
        }
      } else {
        for (std::uint32_t i = 0; i < s.child_count; ++i) {
          parts_.push_back(build(program_.child(id, i), false, act, me));
        }
      }
      break;
    case StmtKind::Trap:
      parts_.push_back(build(s.body, depth, act, me));
      break;
    case StmtKind::Signal: {
      const Lit outer_lit = lit_[s.signal];
      const std::uint32_t outer_gate = gate_[s.signal];
      gate_[s.signal] = net_.open_gate();
      lit_[s.signal] = TernaryNet::output(gate_[s.signal]);
      statuses_.push_back(Status{s.signal, lit_[s.signal]});
      parts_.push_back(build(s.body, depth, act, me));
      lit_[s.signal] = outer_lit;
      gate_[s.signal] = outer_gate;
      break;
    }
    default:
      break;
  }
  const Completion c = combine(id, begin, parts);
  parts_.resize(parts);
  instances_[me].selected = code(c, 1);
  return c;
}

// The completion of statement id from those of its parts, in place of them.
Simulator::Completion Simulator::combine(StmtId id, std::uint32_t begin, std::uint32_t parts) {
  const StmtKind kind = program_.at(id).kind;
  const auto first = parts_.begin() + parts;
  const Lit last_ends = first == parts_.end() ? kFalse : code(parts_.back(), 0);
  if (parts_.end() - first > 1 || kind == StmtKind::Parallel) {
    std::uint32_t size = 0;
    for (auto p = first; p != parts_.end(); ++p) size = std::max(size, p->size);
    result_.assign(size, kFalse);
    if (kind == StmtKind::Parallel) {
      // Codes are ranked: the parallel ends with the highest code of its branches, once every
      // branch has ended with some code.
      within_.assign(parts_.end() - first, kFalse);
      for (std::uint32_t k = 0; k < size; ++k) {
        Lit any = kFalse;
        Lit all = kTrue;
        for (auto p = first; p != parts_.end(); ++p) {
          Lit& within = within_[p - first];
          within = net_.disjunction(within, code(*p, k));
          any = net_.disjunction(any, code(*p, k));
          all = net_.conjunction(all, within);
        }
        result_[k] = net_.conjunction(any, all);
      }
    } else {
      for (auto p = first; p != parts_.end(); ++p) {
        for (std::uint32_t k = 0; k < p->size; ++k) {
          result_[k] = net_.disjunction(result_[k], code(*p, k));
        }
      }
    }
    codes_.resize(begin);
    codes_.insert(codes_.end(), result_.begin(), result_.end());
  }
  Lit* const c = codes_.data() + begin;
  auto size = static_cast<std::uint32_t>(codes_.size()) - begin;
  switch (kind) {
    case StmtKind::Sequence:  // ends when its last part ends
      if (size > 0) c[0] = last_ends;
      break;
    case StmtKind::Loop:  // never ends by itself
      if (size > 0) c[0] = kFalse;
      break;
    case StmtKind::Trap:  // its own exit ends it; outer exits come one trap closer
      if (size > 2) {
        c[0] = net_.disjunction(c[0], c[2]);
        std::copy(c + 3, c + size, c + 2);
        --size;
      }
      break;
    default:
      break;
  }
  while (size > 0 && c[size - 1] == kFalse) --size;
  codes_.resize(begin + size);
  return Completion{begin, size};
}

bool Simulator::find_errors() {
  ReactionError& error = reaction_.error;
  for (const Restart& r : restarts_) {
    if (net_.value(r.terminates) == Value::One) {
      error = ReactionError{
          ReactionError::Kind::InstantaneousLoop, program_.at(r.loop).range, {}, instant_};
      return true;
    }
  }
  const bool settled = std::all_of(statuses_.begin(), statuses_.end(), [&](const Status& s) {
    return net_.value(s.lit) != Value::Unknown;
  });
  if (settled) return false;
  error = ReactionError{ReactionError::Kind::NotConstructive, {}, {}, instant_};
  bool located = false;
  for (const Test& t : tests_) {
    if (net_.value(t.active) == Value::Zero || net_.value(t.value) != Value::Unknown) continue;
    const SourceRange range = program_.at(t.stmt).range;
    if (!located || std::make_pair(range.file, range.begin) <
                        std::make_pair(error.range.file, error.range.begin)) {
      error.range = range;
      located = true;
    }
    for (std::uint32_t i = 0; i < t.read_count; ++i) {
      const Status& read = reads_[t.first_read + i];
      if (net_.value(read.lit) == Value::Unknown) error.signals.push_back(read.signal);
    }
  }
  std::sort(error.signals.begin(), error.signals.end());
  error.signals.erase(std::unique(error.signals.begin(), error.signals.end()), error.signals.end());
  return true;
}

void Simulator::link(StmtId child, StmtId parent) {
  if (touched_[parent] != instant_) {
    touched_[parent] = instant_;
    first_[parent] = kNone;
  }
  next_[child] = first_[parent];
  first_[parent] = child;
}

// Whether the instance stays selected for the next instant: it pauses, and so does every
// instance around it. A kept instance is linked under its parent's statement.
bool Simulator::keep(std::uint32_t i) {
  Instance& in = instances_[i];
  if (in.kept == 0) {
    const bool kept =
        net_.value(in.selected) == Value::One && (in.parent == kNone || keep(in.parent));
    in.kept = kept ? 1 : 2;
    if (kept && in.parent != kNone) link(in.stmt, instances_[in.parent].stmt);
  }
  return in.kept == 1;
}

void Simulator::commit() {
  for (const std::uint32_t p : pauses_) keep(p);
  // A suspended body keeps its selection as it is; the suspend statement finds it directly.
  for (const Frozen& f : frozen_) {
    if (net_.value(f.suspended) == Value::One) keep(f.suspend);
  }
  selected_ = net_.value(code(body_, 1)) == Value::One;
}

std::string describe(const KernelProgram& program, const ReactionError& error) {
  const std::string instant = "instant " + std::to_string(error.instant);
  std::vector<std::string> names;
  for (const SignalId s : error.signals) {
    if (!program.signals[s].name.empty()) names.push_back(program.signals[s].name);
  }
  std::string relation;  // as written: "A # B # C", "A => B"
  bool exclusion = true;
  if (error.kind == ReactionError::Kind::InputRelation) {
    const Relation& r = program.relations[error.relation];
    exclusion = r.exclusion;
    for (const SignalId s : r.signals) {
      relation += (relation.empty() ? "" : exclusion ? " # " : " => ") + program.signals[s].name;
    }
  } else {
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
  }
  // "O", "O and P", "O, P and Q"
  std::string listed;
  for (std::size_t i = 0; i < names.size(); ++i) {
    listed += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
  }
  switch (error.kind) {
    case ReactionError::Kind::NotConstructive:
      if (names.empty()) return instant + " is not constructive: a status cannot be settled";
      return instant + " is not constructive: the status" + (names.size() > 1 ? "es of " : " of ") +
             listed + " cannot be settled";
    case ReactionError::Kind::InstantaneousLoop:
      return instant + ": instantaneous loop: its body terminates in the instant it starts";
    case ReactionError::Kind::InputRelation:
      if (!exclusion) {
        return instant + ": the input " + names[0] + ", present without " + names[1] +
               ", breaks the relation " + relation;
      }
      return instant + ": the inputs " + listed + ", present together, break the relation " +
             relation;
    case ReactionError::Kind::None:
      break;
  }
  return instant;
}

}  // namespace sim
