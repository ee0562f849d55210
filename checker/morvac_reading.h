// What morvac reads: the tokens of a text by morvac's own scanner rules (strl5_rules.h).
#ifndef MORVAC_CHECKER_MORVAC_READING_H
#define MORVAC_CHECKER_MORVAC_READING_H

#include <string_view>
#include <vector>

#include "copy_rewrite.h"
#include "esterel_scanner.h"

using esterel::EsterelScan;
using esterel::Span;
using esterel::Token;

// Returns the tokens that morvac reads in the copy, with spans mapped back to the source; the
// last one is the end of input (code 0). Token codes are morvac's.
[[nodiscard]] std::vector<Token> read_as_morvac(const Copy& copy);

// Returns whether morvac, reading text from offset at, reads a number there (a minus sign
// before digits is a number's sign to morvac).
[[nodiscard]] bool morvac_reads_a_number_at(std::string_view text, std::uint32_t at);

#endif  // MORVAC_CHECKER_MORVAC_READING_H
