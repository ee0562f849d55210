#include "spelling_rewrite.h"

#include <algorithm>

#include "esterel_grammar.hh"
#include "morvac_reading.h"

using esterel::Kind;
using esterel::NodeId;
using esterel::Tree;

namespace {

// The spans of the relation declarations that hold a `#` and that the parser read whole, without
// a syntax error.
std::vector<Span> incompatibility_relations(const esterel::Parse& parse) {
  const Tree& tree = parse.tree;
  std::vector<Span> relations;
  for (NodeId id = 1; id < tree.size(); ++id) {
    const esterel::Node& node = tree.at(id);
    if (node.kind != Kind::Relations || (node.flags & esterel::kIncomplete) != 0) continue;
    bool incompatible = false;
    for (NodeId part = node.first_child; part != esterel::kNoNode;
         part = tree.at(part).next_sibling) {
      incompatible = incompatible || tree.at(part).kind == Kind::Exclusion;
    }
    // An error inside (an Error part among them) leaves the relation as written.
    const bool faulty = std::any_of(
        parse.errors.begin(), parse.errors.end(), [&](const esterel::SyntaxError& error) {
          return error.span.begin >= node.span.begin && error.span.begin <= node.span.end;
        });
    if (incompatible && !faulty) relations.push_back(node.span);
  }
  std::sort(relations.begin(), relations.end(),
            [](const Span& a, const Span& b) { return a.begin < b.begin; });
  return relations;
}

// Where the `elsif` or `elseif` of each branch of a conditional begins, in order.
std::vector<std::uint32_t> elsif_keywords(const Tree& tree) {
  std::vector<std::uint32_t> keywords;
  for (NodeId id = 1; id < tree.size(); ++id) {
    if (tree.at(id).kind == Kind::ElsIf) keywords.push_back(tree.at(id).span.begin);
  }
  std::sort(keywords.begin(), keywords.end());
  return keywords;
}

}  // namespace

std::vector<PlannedEdit> spelling_edits(std::string_view source, const std::vector<Token>& tokens,
                                        const esterel::Parse& parse) {
  std::vector<PlannedEdit> edits;
  const std::vector<Span> relations = incompatibility_relations(parse);
  edits.reserve(relations.size());
  for (const Span& relation : relations) {
    edits.push_back(PlannedEdit{relation, blanked(source, relation), EditReason::Incompatibility});
  }
  const std::vector<std::uint32_t> elsifs = elsif_keywords(parse.tree);
  auto relation = relations.begin();
  int before = 0;  // the token before, or 0
  for (const Token& token : tokens) {
    while (relation != relations.end() && relation->end <= token.span.begin) ++relation;
    if (relation != relations.end() && relation->begin <= token.span.begin) continue;
    const int previous = before;
    before = token.code;
    const std::string_view text =
        source.substr(token.span.begin, token.span.end - token.span.begin);
    if (token.code == TOK_NEQ && text == "<>") {
      edits.push_back(PlannedEdit{token.span, "!=", EditReason::NotEqual});
    } else if (token.code == TOK_IMPLIES && text == "=>") {
      edits.push_back(
          PlannedEdit{token.span, apart(source, token.span, "implies"), EditReason::Implies});
    } else if (token.code == TOK_ELSIF &&
               std::binary_search(elsifs.begin(), elsifs.end(), token.span.begin)) {
      edits.push_back(PlannedEdit{token.span, "elseif", EditReason::Elsif});
    } else if (token.code == TOK_MINUS && ends_an_operand(previous) &&
               morvac_reads_a_number_at(source, token.span.begin)) {
      edits.push_back(PlannedEdit{token.span, "- ", EditReason::GluedMinus});
    }
  }
  return edits;
}
