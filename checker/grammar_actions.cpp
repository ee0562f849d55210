#include "grammar_actions.h"

#include "token_names.h"

Span span_of_parts(const Span* parts, int n) {
  for (int first = 1; first <= n; ++first) {
    if (parts[first].begin != parts[first].end) return Span{parts[first].begin, parts[n].end};
  }
  return Span{parts[0].end, parts[0].end};
}

NodeId needs(CheckParse& p, Span span, std::initializer_list<NodeId> parts) {
  for (const NodeId part : parts) {
    if (part != kNoNode) return p.tree.add(Rule::Require, Refusal::None, span, parts);
  }
  return kNoNode;
}

NodeId parts(CheckParse& p, Span span, std::initializer_list<NodeId> parts) {
  for (const NodeId part : parts) {
    if (part != kNoNode) return p.tree.add(Rule::List, Refusal::None, span, parts);
  }
  return kNoNode;
}

NodeId without_text(CheckParse& p, Refusal construct, Span span,
                    std::initializer_list<NodeId> parts) {
  return p.tree.add(Rule::WithoutText, construct, span, parts);
}

NodeId value(CheckParse& p, Refusal construct, Span span) {
  return p.tree.add(Rule::WithoutText, construct, span, {});
}

NodeId refused(CheckParse& p, Refusal construct, Span span, std::initializer_list<NodeId> parts) {
  return p.tree.add(Rule::Refuse, construct, span, parts);
}

NodeId skipped(CheckParse& p, Refusal construct, Span span) {
  return p.tree.add(Rule::Skip, construct, span, {});
}

NodeId stop_first(CheckParse& p, Refusal construct, Span span) {
  return p.tree.add(Rule::StopFirst, construct, span, {});
}

NodeId error_node(CheckParse& p, Span span) {
  return p.tree.add(Rule::Error, Refusal::None, span, {});
}

NodeId extension(CheckParse& p) {
  p.uses_extension = true;
  return kNoNode;
}

NodeId extension_value(CheckParse& p, Span span) {
  p.uses_extension = true;
  return value(p, Refusal::Unknown, span);
}

void report_syntax_error(CheckParse& p, Span at, const char* unexpected,
                         const std::vector<const char*>& expected) {
  const std::string_view text = p.source.substr(at.begin, at.end - at.begin);
  p.errors.push_back(SyntaxError{at, syntax_error_message(unexpected, text, expected)});
}
