// The checker's parser: the syntax tree of a token list, with every syntax error, located.
#ifndef MORVAC_CHECKER_ESTEREL_PARSER_H
#define MORVAC_CHECKER_ESTEREL_PARSER_H

#include <string_view>
#include <vector>

#include "grammar_actions.h"

// Parses tokens (whose spans index source) and returns the tree and the syntax errors, one per
// mistake: after an error the parse resumes at the next statement, declaration or module.
[[nodiscard]] CheckParse parse_esterel(std::string_view source, const std::vector<Token>& tokens);

#endif  // MORVAC_CHECKER_ESTEREL_PARSER_H
