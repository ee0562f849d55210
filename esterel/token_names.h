// How syntax errors name tokens: keywords and punctuation as written, other tokens by kind.
#ifndef MORVAC_ESTEREL_TOKEN_NAMES_H
#define MORVAC_ESTEREL_TOKEN_NAMES_H

#include <string>
#include <string_view>
#include <vector>

namespace esterel {

// Returns how a message names the grammar symbol `symbol` (IDS, PVIRGULE, '#', $end ...), e.g.
// "`;`", "name", "end of file".
[[nodiscard]] std::string token_display(std::string_view symbol);

// Returns "syntax error, unexpected X, expecting A or B ..." for the unexpected symbol, its
// source text, and the expected symbols (at most eight are listed).
[[nodiscard]] std::string syntax_error_message(std::string_view unexpected, std::string_view text,
                                               const std::vector<const char*>& expected);

// Returns "syntax error, missing X before Y" for the missing symbol and the symbol found in its
// place, with its source text.
[[nodiscard]] std::string missing_token_message(std::string_view missing,
                                                std::string_view before, std::string_view text);

}  // namespace esterel

#endif  // MORVAC_ESTEREL_TOKEN_NAMES_H
