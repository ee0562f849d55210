#include "program_text.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <map>
#include <sstream>
#include <utility>
#include <vector>

#include "derived.h"
#include "simulator.h"

using namespace sim;

namespace {

struct Form {
  std::string atom;  // empty for a list
  std::vector<Form> items;
  SourceRange range;
};

class Reader {
 public:
  explicit Reader(const std::string& text) : text_(text) {}

  std::optional<KernelProgram> program(std::string* problem) {
    const Form module = form();
    skip_blanks();
    if (at_ < text_.size()) fail("text after the module");
    if (problem_.empty() && (module.items.empty() || module.items[0].atom != "module")) {
      fail("no (module ...)");
    }
    StmtId body = kNone;
    for (std::size_t i = 1; problem_.empty() && i < module.items.size(); ++i) {
      const Form& part = module.items[i];
      const std::string head = part.items.empty() ? "" : part.items[0].atom;
      if (head == "input" || head == "output" || head == "inputoutput") {
        for (std::size_t k = 1; k < part.items.size(); ++k) declare(head, part.items[k]);
      } else if (head == "relation") {
        for (std::size_t k = 1; k < part.items.size(); ++k) relation(part.items[k]);
      } else {
        body = statement(part);
      }
    }
    if (problem_.empty() && body == kNone) fail("no body");
    std::optional<KernelProgram> built;
    if (problem_.empty()) built = b_.finish(body, &problem_);
    *problem = problem_;
    return problem_.empty() ? std::move(built) : std::nullopt;
  }

 private:
  void fail(const std::string& what) {
    if (problem_.empty()) problem_ = what + " at " + std::to_string(at_ + 1);
  }
  void skip_blanks() {
    while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_]))) ++at_;
  }

  Form form() {
    skip_blanks();
    Form f;
    f.range.begin = static_cast<std::uint32_t>(at_);
    if (at_ >= text_.size() || text_[at_] == ')') {
      fail("a form missing");
    } else if (text_[at_] == '(') {
      ++at_;
      for (skip_blanks(); problem_.empty() && at_ < text_.size() && text_[at_] != ')';
           skip_blanks()) {
        f.items.push_back(form());
      }
      if (at_ >= text_.size()) fail("a list not closed");
      ++at_;
    } else {
      while (at_ < text_.size() && text_[at_] != '(' && text_[at_] != ')' &&
             !std::isspace(static_cast<unsigned char>(text_[at_]))) {
        f.atom += text_[at_++];
      }
    }
    f.range.end = static_cast<std::uint32_t>(at_);
    return f;
  }

  void declare(const std::string& kind, const Form& name) {
    const SignalId s = kind == "input"    ? b_.input(name.atom, name.range)
                       : kind == "output" ? b_.output(name.atom, name.range)
                                          : b_.inputoutput(name.atom, name.range);
    signals_.emplace_back(name.atom, s);
  }

  void relation(const Form& f) {
    std::vector<SignalId> names;
    for (std::size_t i = 1; i < f.items.size(); ++i) names.push_back(signal(f.items[i]));
    if (f.items[0].atom == "#") {
      b_.exclusion(names, f.range);
    } else if (names.size() == 2) {
      b_.implication(names[0], names[1], f.range);
    } else {
      fail("a relation neither # nor =>");
    }
  }

  SignalId signal(const Form& f) {
    for (auto it = signals_.rbegin(); it != signals_.rend(); ++it) {
      if (it->first == f.atom) return it->second;
    }
    fail("unknown signal " + f.atom);
    return 0;
  }

  ExprId event(const Form& f) {
    if (f.atom == "tick") return b_.tick();
    if (!f.atom.empty()) return b_.signal(signal(f));
    if (f.items.size() < 2) {
      fail("an empty event");
      return b_.tick();
    }
    const std::string& op = f.items[0].atom;
    ExprId e = event(f.items[1]);
    if (op == "not") return b_.negation(e);
    for (std::size_t i = 2; i < f.items.size(); ++i) {
      e = op == "and" ? b_.conjunction(e, event(f.items[i])) : b_.disjunction(e, event(f.items[i]));
    }
    if (op != "and" && op != "or") fail("unknown operator " + op);
    return e;
  }

  Delay delay(const Form& f) {
    if (f.items.size() == 2 && f.items[0].atom == "immediate") {
      return Delay{event(f.items[1]), 1, true};
    }
    if (f.items.size() == 2 && !f.items[0].atom.empty() && std::isdigit(f.items[0].atom[0])) {
      return Delay{event(f.items[1]), static_cast<std::uint32_t>(std::stoul(f.items[0].atom))};
    }
    return Delay{event(f)};
  }

  std::vector<DelayCase> cases(const Form& f, std::size_t from) {
    std::vector<DelayCase> all;
    for (std::size_t i = from; i < f.items.size(); ++i) {
      const Form& c = f.items[i];
      if (c.items.empty()) {
        fail("a case without delay");
        break;
      }
      all.push_back(
          DelayCase{delay(c.items[0]), c.items.size() > 1 ? statement(c.items[1]) : kNone});
    }
    return all;
  }

  // Statement f with a name bound (a trap or a local signal) while its body is read.
  template <typename Id>
  StmtId scoped(std::vector<std::pair<std::string, Id>>& names, const Form& f, Id id,
                const std::function<StmtId(Id, StmtId)>& make) {
    names.emplace_back(f.items[1].atom, id);
    const StmtId body = statement(f.items[2]);
    names.pop_back();
    return make(id, body);
  }

  TrapId trap(const Form& f) {
    for (auto it = traps_.rbegin(); it != traps_.rend(); ++it) {
      if (it->first == f.atom) return it->second;
    }
    fail("unknown trap " + f.atom);
    return 0;
  }

  StmtId statement(const Form& f) {
    const SourceRange r = f.range;
    if (!problem_.empty()) return b_.nothing(r);
    if (f.atom == "nothing") return b_.nothing(r);
    if (f.atom == "pause") return b_.pause(r);
    if (f.atom == "halt") return halt(b_, r);
    const std::string head = f.items.empty() ? f.atom : f.items[0].atom;
    const auto arity = [&](std::size_t least) {
      if (f.items.size() < least + 1) fail("too few parts in " + head);
      return problem_.empty();
    };
    const auto part = [&](std::size_t i) { return statement(f.items[i]); };
    const auto list = [&](std::size_t from) {
      std::vector<StmtId> parts;
      for (std::size_t i = from; i < f.items.size(); ++i) parts.push_back(part(i));
      return parts;
    };
    const bool weak = head.rfind("weak-", 0) == 0;
    const std::string kind = weak ? head.substr(5) : head;
    if (head == "seq" || head == "par") {
      return head == "seq" ? b_.sequence(list(1), r) : b_.parallel(list(1), r);
    }
    if (!arity(1)) return b_.nothing(r);
    if (head == "emit") return b_.emit(signal(f.items[1]), r);
    if (head == "sustain") return sustain(b_, signal(f.items[1]), r);
    if (head == "exit") return b_.exit(trap(f.items[1]), r);
    if (head == "loop") return b_.loop(part(1), r);
    if (head == "await") return await_delay(b_, delay(f.items[1]), r);
    if (head == "await-case") return await_case(b_, cases(f, 1), r);
    if (head == "present-case") {
      std::vector<PresentCase> all;
      StmtId otherwise = kNone;
      for (std::size_t i = 1; i < f.items.size() && arity(1); ++i) {
        const Form& c = f.items[i];
        if (c.items.size() != 2) {
          fail("a present case is (event statement)");
        } else if (c.items[0].atom == "else") {
          otherwise = statement(c.items[1]);
        } else {
          all.push_back(PresentCase{event(c.items[0]), statement(c.items[1])});
        }
      }
      return present_case(b_, all, otherwise, r);
    }
    if (kind == "abort-case") return abort_when(b_, part(1), cases(f, 2), weak, r);
    if (!arity(2)) return b_.nothing(r);
    if (head == "present") {
      const ExprId test = event(f.items[1]);
      const StmtId then_branch = part(2);
      return b_.present(test, then_branch, f.items.size() > 3 ? part(3) : kNone, r);
    }
    if (head == "suspend") return b_.suspend(part(1), event(f.items[2]), r);
    if (head == "suspend-immediate") return suspend_immediate(b_, part(1), event(f.items[2]), r);
    if (head == "trap") {
      return scoped<TrapId>(traps_, f, b_.new_trap(),
                            [&](TrapId t, StmtId body) { return b_.trap(t, body, r); });
    }
    if (head == "signal") {
      return scoped<SignalId>(signals_, f, b_.local(f.items[1].atom, f.items[1].range),
                              [&](SignalId s, StmtId body) { return b_.signal_scope(s, body, r); });
    }
    if (head == "await-do") {
      const Delay d = delay(f.items[1]);
      return await_do(b_, d, part(2), r);
    }
    if (kind == "abort") return abort_when(b_, part(1), {DelayCase{delay(f.items[2])}}, weak, r);
    if (head == "every") {
      const Delay d = delay(f.items[1]);
      return every(b_, d, part(2), r);
    }
    if (head == "loop-each") return loop_each(b_, part(1), delay(f.items[2]), r);
    if (head == "upto") return upto(b_, part(1), delay(f.items[2]), r);
    if (head == "repeat") {
      return repeat(b_, static_cast<std::uint32_t>(std::stoul(f.items[1].atom)), part(2), r);
    }
    if (kind == "abort-do" && arity(3)) {
      const StmtId body = part(1);
      const Delay d = delay(f.items[2]);
      return abort_when(b_, body, {DelayCase{d, part(3)}}, weak, r);
    }
    fail("unknown statement " + head);
    return b_.nothing(r);
  }

  const std::string& text_;
  std::size_t at_ = 0;
  std::string problem_;
  KernelBuilder b_;
  std::vector<std::pair<std::string, SignalId>> signals_;
  std::vector<std::pair<std::string, TrapId>> traps_;
};

}  // namespace

std::optional<KernelProgram> read_program(const std::string& text, std::string* problem) {
  return Reader(text).program(problem);
}

std::string run_trace(const std::string& program_text, const std::string& inputs) {
  std::string problem;
  const std::optional<KernelProgram> program = read_program(program_text, &problem);
  if (!program) return "!program " + problem;
  Simulator simulator(*program);
  std::string out;
  std::size_t from = 0;
  for (bool first = true; from <= inputs.size(); first = false) {
    std::size_t end = inputs.find(';', from);
    if (end == std::string::npos) end = inputs.size();
    std::vector<SignalId> present;
    std::istringstream names(inputs.substr(from, end - from));
    for (std::string name; names >> name;) {
      SignalId s = 0;
      while (s < program->signals.size() && program->signals[s].name != name) ++s;
      if (s == program->signals.size())
        return out.append(first ? "" : ";").append("!unknown ") + name;
      present.push_back(s);
    }
    from = end + 1;
    const Reaction& r = simulator.react(present);
    std::vector<std::string> said;
    for (const SignalId s : r.emitted) said.push_back(program->signals[s].name);
    static const char* const kErrors[] = {"", "!cycle@", "!loop@", "!relation@"};
    if (r.error.kind != ReactionError::Kind::None) {
      said.assign(
          1, kErrors[static_cast<int>(r.error.kind)] + std::to_string(r.error.range.begin + 1));
      for (const SignalId s : r.error.signals) said.push_back(program->signals[s].name);
      std::sort(said.begin() + 1, said.end());
    } else {
      std::sort(said.begin(), said.end());
      if (r.terminated) said.emplace_back("*");
    }
    std::string instant;
    for (const std::string& word : said) instant += (instant.empty() ? "" : " ") + word;
    out += (first ? "" : ";") + instant;
  }
  return out;
}
