// The message of a lexical error of the Esterel scanner, as morvac-check and morvac-sim write it.
#ifndef MORVAC_ESTEREL_LEXICAL_MESSAGE_H
#define MORVAC_ESTEREL_LEXICAL_MESSAGE_H

#include <string>
#include <string_view>

#include "esterel_scanner.h"

namespace esterel {

// Returns the message of error, found in source: "string is cut by the end of its line", or
// "no Esterel token starts with `\x01`" (the stray bytes shown, those outside printable ASCII
// as \xHH).
[[nodiscard]] std::string lexical_message(std::string_view source, const LexError& error);

// Returns text between backquotes, the bytes outside printable ASCII written \xHH.
[[nodiscard]] std::string shown_bytes(std::string_view text);

}  // namespace esterel

#endif  // MORVAC_ESTEREL_LEXICAL_MESSAGE_H
