#include "run_rewrite.h"

#include <algorithm>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "esterel_grammar.hh"
#include "module_facts.h"

namespace {

constexpr std::size_t kNoModule = static_cast<std::size_t>(-1);

using Names = std::unordered_map<std::string, std::string>;  // a run's renaming: old -> new
using DataKey = std::pair<DataKind, std::string>;

const char* direction_keyword(Kind direction) {
  switch (direction) {
    case Kind::Inputs:
      return "input";
    case Kind::Outputs:
      return "output";
    case Kind::InputOutputs:
      return "inputoutput";
    case Kind::Returns:
      return "return";
    case Kind::Sensors:
      return "sensor";
    default:
      return "signal";
  }
}

std::optional<DataKind> renamed_kind(Kind block) {
  switch (block) {
    case Kind::TypeRenamings:
      return DataKind::Type;
    case Kind::ConstantRenamings:
      return DataKind::Constant;
    case Kind::FunctionRenamings:
      return DataKind::Function;
    case Kind::ProcedureRenamings:
      return DataKind::Procedure;
    case Kind::TaskRenamings:
      return DataKind::Task;
    default:
      return std::nullopt;
  }
}

// Returns the parts written one after the other.
std::string concat(std::initializer_list<std::string_view> parts) {
  std::string out;
  for (const std::string_view part : parts) out += part;
  return out;
}

bool predefined_type(const std::string& name) {
  return name == "integer" || name == "boolean" || name == "float" || name == "double" ||
         name == "string";
}

// What a run needs of the place where it stands, found before its module is written out.
struct RunPlan {
  std::size_t callee = kNoModule;
  std::string form;                            // "`run M`"
  Names names;                                 // every name that the run renames, to its image
  std::map<DataKey, std::string> data_images;  // the data that it renames, to their images
  bool in_var = false;
  std::vector<Finding> refusals;  // why it is not written out; none when it is
};

struct ModuleState {
  enum class Stage { Todo, Busy, Done } stage = Stage::Todo;
  bool wrote_all = true;                 // every run inside is written out
  std::set<std::string> inner_locals;    // declared in the body once its runs are written out
  std::map<DataKey, std::string> added;  // declarations that its runs add to it
  std::size_t first_rewrite = 0;         // the index of its first run written out, or none
  bool has_rewrite = false;
  std::optional<std::string> body;  // as a run writes it (renamings aside), once it is done
  std::size_t weight = 0;           // what a run of it costs: its body, data and signals
};

class ProgramRewriter {
 public:
  explicit ProgramRewriter(const std::vector<RewriteFile>& files)
      : files_(files), out_(files.size()), budget_(files.size(), 0), planned_(files.size(), 0) {
    for (std::size_t f = 0; f < files.size(); ++f) {
      const RewriteFile& file = files[f];
      if (!file.parse->errors.empty()) {
        for (const NodeId module : esterel::children(file.parse->tree, file.parse->tree.root())) {
          if (file.parse->tree.at(module).kind != Kind::Module) continue;
          unreadable_.insert(std::string(esterel::text(
              file.parse->tree, file.source, esterel::child(file.parse->tree, module, 0))));
        }
        rewriters_.emplace_back();
        continue;
      }
      rewriters_.push_back(std::make_unique<StatementRewriter>(file.source, *file.tokens,
                                                               file.parse->tree, *file.copy));
      for (ModuleFacts& facts : module_facts(file.source, *file.tokens, file.parse->tree, f)) {
        const auto [it, fresh] = by_name_.emplace(facts.name, modules_.size());
        // A file given twice holds the same modules twice: one module still.
        if (!fresh && module_text(it->second) != module_text(facts)) ambiguous_.insert(facts.name);
        modules_.push_back(std::move(facts));
      }
    }
    states_.resize(modules_.size());
  }

  std::vector<FileRewrites> run() {
    for (std::size_t m = 0; m < modules_.size(); ++m) {
      if (states_[m].stage == ModuleState::Stage::Todo) process(m);
    }
    for (std::size_t f = 0; f < files_.size(); ++f) {
      if (rewriters_[f]) out_[f].rewrites = rewriters_[f]->take();
    }
    return std::move(out_);
  }

 private:
  [[nodiscard]] const esterel::Tree& tree(std::size_t file) const {
    return files_[file].parse->tree;
  }
  [[nodiscard]] NodeId part(std::size_t file, NodeId node, std::size_t index) const {
    return esterel::child(tree(file), node, index);
  }
  [[nodiscard]] std::string text(std::size_t file, NodeId node) const {
    return std::string(esterel::text(tree(file), files_[file].source, node));
  }
  [[nodiscard]] Span span(std::size_t file, NodeId node) const { return tree(file).at(node).span; }
  [[nodiscard]] std::string_view module_text(const ModuleFacts& module) const {
    const Span whole = span(module.file, module.node);
    return files_[module.file].source.substr(whole.begin, whole.end - whole.begin);
  }
  [[nodiscard]] std::string_view module_text(std::size_t m) const {
    return module_text(modules_[m]);
  }

  void process(std::size_t m) {
    ModuleState& state = states_[m];
    state.stage = ModuleState::Stage::Busy;
    const ModuleFacts& module = modules_[m];
    const std::size_t f = module.file;
    std::unordered_map<NodeId, RunPlan> plans = plan_runs(m);
    // In order of ids, a statement's parts come before it: a repeated body is copied with its
    // runs written out.
    for (NodeId id = module.first_id; id < module.node; ++id) {
      if (tree(f).at(id).kind == Kind::Run) {
        write_run(m, id, std::move(plans[id]));
      } else {
        rewriters_[f]->rewrite(id);
      }
    }
    if (!states_[m].added.empty()) declare_added(m);
    states_[m].stage = ModuleState::Stage::Done;
  }

  // Finds what each run of module m binds where it stands: a walk of the body that keeps the
  // local signals in scope.
  std::unordered_map<NodeId, RunPlan> plan_runs(std::size_t m) {
    const ModuleFacts& module = modules_[m];
    const std::size_t f = module.file;
    std::unordered_map<NodeId, RunPlan> plans;
    std::unordered_map<std::string, std::vector<std::string>> locals;  // name -> signatures
    std::size_t vars = 0;
    struct Step {
      NodeId node;
      bool leaving;
    };
    std::vector<Step> steps{{part(f, module.node, 2), false}};
    while (!steps.empty()) {
      const Step step = steps.back();
      steps.pop_back();
      const Kind kind = tree(f).at(step.node).kind;
      if (step.leaving) {
        if (kind == Kind::Var) {
          --vars;
          continue;
        }
        for (const NodeId signal : esterel::children(tree(f), part(f, step.node, 0))) {
          locals[text(f, part(f, signal, 0))].pop_back();
        }
        continue;
      }
      if (kind == Kind::LocalSignal || kind == Kind::Var) {
        steps.push_back({step.node, true});
        if (kind == Kind::Var) {
          ++vars;
        } else {
          for (const NodeId signal : esterel::children(tree(f), part(f, step.node, 0))) {
            locals[text(f, part(f, signal, 0))].push_back(
                signal_signature(files_[f].source, *files_[f].tokens, tree(f), signal));
          }
        }
        steps.push_back({part(f, step.node, 1), false});
      } else if (kind == Kind::Run) {
        plans[step.node] = plan_run(m, step.node, locals, vars > 0);
      } else if (!esterel::is_expression(kind)) {
        for (const NodeId child : esterel::children(tree(f), step.node)) {
          steps.push_back({child, false});
        }
      }
    }
    return plans;
  }

  Finding finding(std::size_t file, NodeId run, Level level, std::string message) const {
    return Finding{span(file, run), level, "module-instance", std::move(message), {}};
  }

  RunPlan plan_run(std::size_t m, NodeId run,
                   const std::unordered_map<std::string, std::vector<std::string>>& locals,
                   bool in_var) {
    const std::size_t f = modules_[m].file;
    const esterel::Node& node = tree(f).at(run);
    RunPlan plan;
    const NodeId module_name =
        esterel::present(tree(f), part(f, run, 1)) ? part(f, run, 1) : part(f, run, 0);
    const std::string name = text(f, module_name);
    plan.form =
        std::string("`") + ((node.flags & esterel::kCopymodule) != 0 ? "copymodule " : "run ") +
        ((node.flags & esterel::kImmediate) != 0 ? "immediate " : "") + text(f, part(f, run, 0)) +
        (module_name != part(f, run, 0) ? " / " + name : "") + "`";
    const auto refuse = [&](Level level, const std::string& why) {
      plan.refusals.push_back(finding(f, run, level, plan.form + ": " + why));
    };
    const auto not_written = [&](const std::string& why) {
      refuse(Level::Note, "the copy does not write it out: " + why);
    };
    if ((node.flags & esterel::kImmediate) != 0) {
      not_written("an immediate run has no definition that the copy can write");
      return plan;
    }
    const auto found = by_name_.find(name);
    if (ambiguous_.count(name) != 0) {
      not_written("two modules are named " + name);
      return plan;
    }
    if (found == by_name_.end()) {
      not_written(unreadable_.count(name) != 0
                      ? "module " + name + " is in a file with a syntax error"
                      : "no module named " + name +
                            " in the files given (give the file that holds it with -m)");
      return plan;
    }
    plan.callee = found->second;
    // Once a file's runs have added (or bound) all they may, the others cost no more than this.
    planned_[f] += 16 * modules_[plan.callee].signals.size();
    if (budget_[f] >= kMostRunText || planned_[f] > kMostRunText) {
      not_written("the copy would grow beyond its limits");
      return plan;
    }
    rename(m, run, plan, refuse, not_written);
    if (!plan.refusals.empty()) return plan;
    plan.in_var = in_var;
    bind_signals(m, plan, locals, refuse, not_written);
    return plan;
  }

  // Reads the renamings of a run into plan.
  template <typename Refuse, typename NotWritten>
  void rename(std::size_t m, NodeId run, RunPlan& plan, const Refuse& refuse,
              const NotWritten& not_written) {
    const std::size_t f = modules_[m].file;
    const ModuleFacts& callee = modules_[plan.callee];
    for (const NodeId block : esterel::children(tree(f), part(f, run, 2))) {
      const std::optional<DataKind> data = renamed_kind(tree(f).at(block).kind);
      for (const NodeId renaming : esterel::children(tree(f), block)) {
        if ((tree(f).at(renaming).flags & esterel::kCopy) != 0) {
          not_written("a `copy` renaming has no definition that the copy can write");
          return;
        }
        const NodeId image = part(f, renaming, 0);
        const NodeId old =
            esterel::present(tree(f), part(f, renaming, 1)) ? part(f, renaming, 1) : image;
        const std::string old_name = text(f, old);
        const Kind image_kind = tree(f).at(image).kind;
        const bool literal = data == DataKind::Constant && image_kind != Kind::Name;
        if (image_kind != Kind::Name && !literal) {
          not_written("it puts an operator in the place of " + old_name);
          return;
        }
        const bool declared =
            data ? callee.data.count({*data, old_name}) != 0 : callee.signals.count(old_name) != 0;
        if (!declared) {
          refuse(Level::Error, "module " + callee.name + " has no " +
                                   (data ? data_keyword(*data) : "signal") + " " + old_name);
          return;
        }
        const std::string image_text =
            joined_tokens(files_[f].source, *files_[f].tokens, span(f, image));
        if (!plan.names.emplace(old_name, image_text).second) {
          not_written("it renames " + old_name + " twice");
          return;
        }
        if (data) plan.data_images[{*data, old_name}] = literal ? "" : image_text;
      }
    }
    // A name renamed in one of M's namespaces must name nothing else in M.
    for (const auto& renamed : plan.names) {
      std::size_t meanings =
          callee.signals.count(renamed.first) + callee.locals.count(renamed.first);
      for (int kind = 0; kind <= static_cast<int>(DataKind::Task); ++kind) {
        meanings += callee.data.count({static_cast<DataKind>(kind), renamed.first});
      }
      if (meanings > 1) {
        not_written(callee.name + " uses " + renamed.first + " for more than one thing");
        return;
      }
    }
  }

  // Checks that each signal of the module run stands for a signal declared where the run
  // stands, of the same type.
  template <typename Refuse, typename NotWritten>
  void bind_signals(std::size_t m, RunPlan& plan,
                    const std::unordered_map<std::string, std::vector<std::string>>& locals,
                    const Refuse& refuse, const NotWritten& not_written) {
    const ModuleFacts& caller = modules_[m];
    const ModuleFacts& callee = modules_[plan.callee];
    for (const auto& [name, signal] : callee.signals) {
      if (signal.direction == Kind::Sensors) {
        not_written(callee.name + " declares a sensor");
        return;
      }
      const auto renamed = plan.names.find(name);
      const std::string target = renamed != plan.names.end() ? renamed->second : name;
      const std::string wanted = renamed_text(signal.signature, plan.names);
      const std::string theirs = std::string(direction_keyword(signal.direction)) + " " + name +
                                 signal_tail(signal.signature);
      const auto local = locals.find(target);
      std::string here;
      Kind direction = Kind::LocalSignal;
      if (local != locals.end() && !local->second.empty()) {
        here = local->second.back();
      } else if (const auto declared = caller.signals.find(target);
                 declared != caller.signals.end()) {
        here = declared->second.signature;
        direction = declared->second.direction;
      } else {
        refuse(Level::Error, concat({"no signal named ", target, " here for ", callee.name, "'s `",
                                     theirs, "`"}));
        continue;
      }
      const std::string ours =
          concat({direction_keyword(direction), " ", target, signal_tail(here)});
      if (here != wanted) {
        refuse(Level::Error, concat({callee.name, "'s `", theirs, "` would be `", ours,
                                     "` here: their types differ"}));
      } else if (direction == Kind::Inputs && signal.direction != Kind::Inputs) {
        refuse(Level::Error, concat({callee.name, " emits its `", theirs, "`, which would be `",
                                     ours, "` here"}));
      }
    }
  }

  static std::string signal_tail(const std::string& signature) {
    return signature.empty() ? "" : " " + signature;
  }

  // The body of module c (done) as a run writes it: on one line, without a final `;`; made once.
  const std::string& body_of(std::size_t c) {
    ModuleState& state = states_[c];
    if (state.body) return *state.body;
    const ModuleFacts& module = modules_[c];
    std::string body = on_one_line(
        rewriters_[module.file]->text(span(module.file, part(module.file, module.node, 2))));
    while (!body.empty() && (body.back() == ';' || body.back() == ' ' || body.back() == '\t')) {
      body.pop_back();
    }
    state.weight = body.size() + 2 + 16 * module.signals.size();
    for (const auto& declared : module.data) state.weight += declared.second.size();
    for (const auto& added : state.added) state.weight += added.second.size();
    state.body = std::move(body);
    return *state.body;
  }

  void write_run(std::size_t m, NodeId run, RunPlan plan) {
    const std::size_t f = modules_[m].file;
    const auto refused = [&](Level level, const std::string& why) {
      out_[f].findings.push_back(finding(f, run, level, plan.form + ": " + why));
      states_[m].wrote_all = false;
    };
    if (!plan.refusals.empty()) {
      for (Finding& refusal : plan.refusals) out_[f].findings.push_back(std::move(refusal));
      states_[m].wrote_all = false;
      return;
    }
    const std::size_t c = plan.callee;
    const ModuleFacts& callee = modules_[c];
    if (states_[c].stage == ModuleState::Stage::Busy) {
      refused(Level::Error, "module " + callee.name + " runs itself" +
                                (c == m ? "" : " (through the modules that it runs)"));
      return;
    }
    if (states_[c].stage == ModuleState::Stage::Todo) {
      if (depth_ == kDeepestRun) {
        refused(Level::Note, "the copy does not write it out: runs nest more than " +
                                 std::to_string(kDeepestRun) + " deep");
        return;
      }
      ++depth_;
      process(c);
      --depth_;
    }
    const auto not_written = [&](const std::string& why) {
      refused(Level::Note, "the copy does not write it out: " + why);
    };
    if (!states_[c].wrote_all) {
      not_written(callee.name + " runs a module that the copy does not write out");
      return;
    }
    const std::string& body = body_of(c);
    // Sizes first: a module run many times is not copied beyond the limits.
    if (body.size() + 2 > kMostRepeatedText || budget_[f] + states_[c].weight > kMostRunText) {
      not_written("the copy would grow beyond its limits");
      return;
    }
    for (const auto& [old_name, image] : plan.names) {
      for (const std::string* name : {&old_name, &image}) {
        const bool own = callee.locals.count(*name) != 0;
        if (own || states_[c].inner_locals.count(*name) != 0) {
          not_written(callee.name + (own ? " declares " : " runs a module that declares ") + *name +
                      " inside its body, where the renaming would change what it names");
          return;
        }
      }
    }
    std::map<DataKey, std::string> adds;
    if (!merge_data(m, plan, adds, refused)) return;
    const std::string written = "[" + renamed_text(body, plan.names) + "]";
    if (written.size() > kMostRepeatedText) {
      not_written("the copy would grow beyond its limits");
      return;
    }
    std::string definition = "the body of module " + callee.name + " in its place" +
                             (plan.names.empty() ? "" : ", renamed as the run says");
    const Span whole = span(f, run);
    const Span keyword{
        whole.begin,
        whole.begin + ((tree(f).at(run).flags & esterel::kCopymodule) != 0 ? 10u : 3u)};
    const std::size_t index = rewriters_[f]->count();
    if (!rewriters_[f]->add(StatementRewrite{"module-instance",
                                             whole,
                                             plan.form,
                                             std::move(definition),
                                             {derived_edit(files_[f].source, whole, written)},
                                             {whole, keyword}})) {
      not_written("a comment stands inside it");
      return;
    }
    budget_[f] += std::max(states_[c].weight, written.size());
    ModuleState& state = states_[m];
    if (!state.has_rewrite) {
      state.has_rewrite = true;
      state.first_rewrite = index;
    }
    state.added.insert(adds.begin(), adds.end());
    state.inner_locals.insert(callee.locals.begin(), callee.locals.end());
    state.inner_locals.insert(states_[c].inner_locals.begin(), states_[c].inner_locals.end());
  }

  // The data declarations that the module run needs, as the caller must hold them: adds those
  // that the caller lacks; returns false (with an error) where one conflicts.
  template <typename Refused>
  bool merge_data(std::size_t m, const RunPlan& plan, std::map<DataKey, std::string>& adds,
                  const Refused& refused) {
    const ModuleFacts& caller = modules_[m];
    const ModuleFacts& callee = modules_[plan.callee];
    std::map<DataKey, std::string> needed = callee.data;
    needed.insert(states_[plan.callee].added.begin(), states_[plan.callee].added.end());
    const auto declared_here = [&](const DataKey& key) -> const std::string* {
      if (const auto own = caller.data.find(key); own != caller.data.end()) return &own->second;
      if (const auto added = states_[m].added.find(key); added != states_[m].added.end())
        return &added->second;
      if (const auto added = adds.find(key); added != adds.end()) return &added->second;
      return nullptr;
    };
    bool agree = true;
    for (const auto& [key, declaration] : needed) {
      const std::string wanted = renamed_text(declaration, plan.names);
      const auto image = plan.data_images.find(key);
      const std::string keyword = data_keyword(key.first);
      if (image != plan.data_images.end()) {
        // Renamed: bound to the caller's object of that name, which must be there.
        if (image->second.empty()) continue;  // a constant put in the place of M's
        const DataKey target{key.first, image->second};
        if (declared_here(target) == nullptr &&
            !(key.first == DataKind::Type && predefined_type(image->second))) {
          refused(Level::Error, concat({"no ", keyword, " named ", image->second, " here for ",
                                        callee.name, "'s `", keyword, " ", declaration, "`"}));
          agree = false;
        }
        continue;
      }
      if (key.first == DataKind::Constant && plan.in_var) {
        refused(Level::Note, concat({"the copy does not write it out: it stands inside a `var`, "
                                     "whose variables could hide ",
                                     callee.name, "'s constant ", key.second}));
        return false;
      }
      const std::string* ours = declared_here(key);
      if (ours == nullptr) {
        adds.emplace(key, wanted);
      } else if (*ours != wanted) {
        refused(Level::Error,
                concat({callee.name, " declares `", keyword, " ", wanted, "`, and this module `",
                        keyword, " ", *ours, "`: they do not agree"}));
        agree = false;
      }
    }
    return agree;
  }

  // Writes the declarations that runs add to module m at the end of its own (or after its
  // header where the copy blanks the end of its declarations).
  void declare_added(std::size_t m) {
    const ModuleFacts& module = modules_[m];
    const std::size_t f = module.file;
    std::string declarations;
    for (const auto& [key, text] : states_[m].added) {
      declarations += std::string(" ") + data_keyword(key.first) + " " + text + ";";
    }
    StatementRewrite& first = rewriters_[f]->at(states_[m].first_rewrite);
    first.definition += "; and it adds to the declarations of " + module.name +
                        " what the modules that it runs declare and " + module.name + " lacks: `" +
                        declarations.substr(1) + "`";
    const std::vector<Token>& tokens = *files_[f].tokens;
    const Span body = span(f, part(f, module.node, 2));
    const auto at_body = std::lower_bound(
        tokens.begin(), tokens.end(), body.begin,
        [](const Token& token, std::uint32_t offset) { return token.span.begin < offset; });
    const Span name = span(f, part(f, module.node, 0));
    const auto after_name = std::lower_bound(
        tokens.begin(), tokens.end(), name.end,
        [](const Token& token, std::uint32_t offset) { return token.span.begin < offset; });
    for (const Token* token : {&*(at_body - 1), &*after_name}) {
      const std::string_view word =
          files_[f].source.substr(token->span.begin, token->span.end - token->span.begin);
      if (rewriters_[f]->add(StatementRewrite{
              "module-instance",
              token->span,
              "",
              "",
              {derived_edit(files_[f].source, token->span, std::string(word) + declarations)},
              {}})) {
        return;
      }
    }
  }

  const std::vector<RewriteFile>& files_;
  std::vector<std::unique_ptr<StatementRewriter>> rewriters_;  // none for a file with errors
  std::vector<ModuleFacts> modules_;
  std::vector<ModuleState> states_;
  std::unordered_map<std::string, std::size_t> by_name_;
  std::unordered_set<std::string> ambiguous_;   // names of two modules
  std::unordered_set<std::string> unreadable_;  // names of modules in files with errors
  std::vector<FileRewrites> out_;
  std::vector<std::size_t> budget_;   // the text that runs add to each file's copy
  std::vector<std::size_t> planned_;  // the signals that the runs of each file bind, 16 a signal
  std::size_t depth_ = 0;
};

}  // namespace

std::vector<FileRewrites> rewrite_statements(const std::vector<RewriteFile>& files) {
  return ProgramRewriter(files).run();
}
