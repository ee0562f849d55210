#include "esterel_parser.h"

#include <algorithm>
#include <utility>

#include "esterel_grammar.hh"
#include "grammar_actions.h"

using esterel::ParseState;

void esterror(ESTLTYPE* location, ParseState& p, const char* /*message*/) {
  p.errors.push_back(
      esterel::SyntaxError{*location, "the program nests too deeply to be read", *location});
}

namespace esterel {

Parse parse_esterel(std::string_view source, const std::vector<Token>& tokens) {
  ParseState p;
  p.source = source;
  p.tokens = &tokens;
  p.tree.reserve(tokens.size() + tokens.size() / 2);
  run_parser(p);
  if (p.tree.root() == kNoNode) p.tree.set_root(p.tree.add(Kind::File, {}, {}));
  // What the parse held when it gave up: after the modules read, in one Error node.
  if (p.open_module != kNoNode) discard(p, std::exchange(p.open_module, kNoNode));
  if (!p.orphans.empty()) {
    Span span{p.tree.at(p.orphans.front()).span.begin, 0};
    for (const NodeId orphan : p.orphans) {
      span.begin = std::min(span.begin, p.tree.at(orphan).span.begin);
      span.end = std::max(span.end, p.tree.at(orphan).span.end);
    }
    p.tree.append(p.tree.root(), error_node(p, span));
  }
  p.tree.edit(p.tree.root()).span = Span{0, static_cast<std::uint32_t>(source.size())};
  return Parse{std::move(p.tree), std::move(p.errors), std::move(p.skipped),
               std::move(p.before_first_error)};
}

Parse read_esterel(std::string_view source) {
  const EsterelScan scan = scan_esterel(source);
  return parse_esterel(source, scan.tokens);
}

}  // namespace esterel
