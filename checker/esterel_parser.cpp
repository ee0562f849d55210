#include "esterel_parser.h"

#include "check_grammar.hh"

int chklex(CHKSTYPE* value, CHKLTYPE* location, CheckParse& p) {
  const std::vector<Token>& tokens = *p.tokens;
  const Token& token = tokens[p.next < tokens.size() ? p.next : tokens.size() - 1];
  if (p.next < tokens.size()) ++p.next;
  *value = kNoNode;
  *location = token.span;
  return token.code;
}

void chkerror(CHKLTYPE* location, CheckParse& p, const char* /*message*/) {
  p.errors.push_back(SyntaxError{*location, "the program nests too deeply for the checker"});
}

CheckParse parse_esterel(std::string_view source, const std::vector<Token>& tokens) {
  CheckParse p;
  p.source = source;
  p.tokens = &tokens;
  chkparse(p);
  return p;
}
