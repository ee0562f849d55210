#include "module_facts.h"

#include <algorithm>

#include "esterel_grammar.hh"

namespace {

std::string_view text_of(std::string_view source, Span span) {
  return source.substr(span.begin, span.end - span.begin);
}

class FactsReader {
 public:
  FactsReader(std::string_view source, const std::vector<Token>& tokens, const esterel::Tree& tree)
      : source_(source), tokens_(tokens), tree_(tree) {}

  ModuleFacts read(NodeId module, NodeId first_id, std::size_t file) {
    ModuleFacts facts;
    facts.name = name(part(module, 0));
    facts.file = file;
    facts.node = module;
    facts.first_id = first_id;
    for (const NodeId list : esterel::children(tree_, part(module, 1))) declarations(list, facts);
    for (NodeId id = first_id; id < module; ++id) locals(id, facts.locals);
    return facts;
  }

 private:
  [[nodiscard]] NodeId part(NodeId node, std::size_t index) const {
    return esterel::child(tree_, node, index);
  }
  [[nodiscard]] std::string name(NodeId node) const {
    return std::string(esterel::text(tree_, source_, node));
  }
  [[nodiscard]] std::string joined(Span span) const {
    return joined_tokens(source_, tokens_, span);
  }

  void declarations(NodeId list, ModuleFacts& facts) const {
    const Kind kind = tree_.at(list).kind;
    for (const NodeId item : esterel::children(tree_, list)) {
      switch (kind) {
        case Kind::TypeDecls:
          facts.data[{DataKind::Type, name(item)}] = name(item);
          break;
        case Kind::ConstantDecls:
          for (const NodeId constant : esterel::children(tree_, part(item, 0))) {
            facts.data[{DataKind::Constant, name(part(constant, 0))}] =
                joined(tree_.at(constant).span) + " : " + name(part(item, 1));
          }
          break;
        case Kind::FunctionDecls:
        case Kind::ProcedureDecls:
        case Kind::TaskDecls: {
          const DataKind data = kind == Kind::FunctionDecls    ? DataKind::Function
                                : kind == Kind::ProcedureDecls ? DataKind::Procedure
                                                               : DataKind::Task;
          facts.data[{data, name(part(item, 0))}] = joined(tree_.at(item).span);
          break;
        }
        case Kind::Inputs:
        case Kind::Outputs:
        case Kind::InputOutputs:
        case Kind::Returns:
        case Kind::Sensors:
          facts.signals[name(part(item, 0))] =
              InterfaceSignal{kind, signal_signature(source_, tokens_, tree_, item)};
          break;
        default:  // relations: assumptions on the inputs, which a run does not carry over
          break;
      }
    }
  }

  // The names that node declares for its body.
  void locals(NodeId node, std::set<std::string>& out) const {
    switch (tree_.at(node).kind) {
      case Kind::LocalSignal:
        for (const NodeId signal : esterel::children(tree_, part(node, 0))) {
          out.insert(name(part(signal, 0)));
        }
        break;
      case Kind::Var:
        for (const NodeId group : esterel::children(tree_, part(node, 0))) {
          for (const NodeId variable : esterel::children(tree_, part(group, 0))) {
            out.insert(name(part(variable, 0)));
          }
        }
        break;
      case Kind::Trap:
        for (const NodeId trap : esterel::children(tree_, part(node, 0))) {
          out.insert(name(part(trap, 0)));
        }
        break;
      default:
        break;
    }
  }

  std::string_view source_;
  const std::vector<Token>& tokens_;
  const esterel::Tree& tree_;
};

}  // namespace

const char* data_keyword(DataKind kind) {
  switch (kind) {
    case DataKind::Type:
      return "type";
    case DataKind::Constant:
      return "constant";
    case DataKind::Function:
      return "function";
    case DataKind::Procedure:
      return "procedure";
    default:
      return "task";
  }
}

std::vector<ModuleFacts> module_facts(std::string_view source, const std::vector<Token>& tokens,
                                      const esterel::Tree& tree, std::size_t file) {
  std::vector<ModuleFacts> facts;
  FactsReader reader(source, tokens, tree);
  NodeId first_id = 1;
  for (const NodeId module : esterel::children(tree, tree.root())) {
    if (tree.at(module).kind != Kind::Module) continue;
    facts.push_back(reader.read(module, first_id, file));
    first_id = module + 1;
  }
  return facts;
}

std::string joined_tokens(std::string_view source, const std::vector<Token>& tokens, Span span) {
  auto token =
      std::lower_bound(tokens.begin(), tokens.end(), span.begin,
                       [](const Token& t, std::uint32_t offset) { return t.span.begin < offset; });
  std::string out;
  bool after_paren = true;
  for (; token != tokens.end() && token->code != 0 && token->span.end <= span.end; ++token) {
    const std::string_view word = text_of(source, token->span);
    const bool tight =
        token->code == TOK_VIRGULE || token->code == TOK_CLOSEP || token->code == TOK_OPENP;
    if (!after_paren && !tight) out += ' ';
    out += word;
    after_paren = token->code == TOK_OPENP;
  }
  return out;
}

std::string signal_signature(std::string_view source, const std::vector<Token>& tokens,
                             const esterel::Tree& tree, NodeId signal) {
  const Span name = tree.at(esterel::child(tree, signal, 0)).span;
  return joined_tokens(source, tokens, Span{name.end, tree.at(signal).span.end});
}

std::string renamed_text(std::string_view text,
                         const std::unordered_map<std::string, std::string>& names) {
  if (names.empty()) return std::string(text);
  std::string out;
  out.reserve(text.size());
  std::uint32_t done = 0;
  for (const Token& token : esterel::scan_esterel(text).tokens) {
    if (token.code != TOK_IDS) continue;
    const auto image = names.find(std::string(text_of(text, token.span)));
    if (image == names.end()) continue;
    out.append(text, done, token.span.begin - done);
    out += image->second;
    done = token.span.end;
  }
  out.append(text, done, std::string_view::npos);
  return out;
}
