// Spellings of Esterel v5 that morvac spells otherwise, rewritten in the copy where morvac then
// reads exactly what Esterel means: `<>` as `!=`, `=>` as `implies`, the `elsif` of a conditional
// as `elseif`, a minus sign that morvac would read as the sign of a number after an operand
// (`x-1`) with a blank after it, and a relation of incompatible signals (`#`), which morvac
// cannot read, blanked: morvac skips every relation, so its translation loses nothing.
#ifndef MORVAC_CHECKER_SPELLING_REWRITE_H
#define MORVAC_CHECKER_SPELLING_REWRITE_H

#include <string_view>
#include <vector>

#include "copy_rewrite.h"
#include "esterel_parser.h"

// Returns the edits of those spellings in source, whose tokens (those the reading kept) and
// parse are given. A relation that a syntax error touches is left as it stands.
[[nodiscard]] std::vector<PlannedEdit> spelling_edits(std::string_view source,
                                                      const std::vector<Token>& tokens,
                                                      const esterel::Parse& parse);

#endif  // MORVAC_CHECKER_SPELLING_REWRITE_H
