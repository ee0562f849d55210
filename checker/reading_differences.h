// Where morvac reads the copy otherwise than Esterel reads the source: the two token lists
// compared span by span, each difference said in words.
#ifndef MORVAC_CHECKER_READING_DIFFERENCES_H
#define MORVAC_CHECKER_READING_DIFFERENCES_H

#include <string>
#include <string_view>
#include <vector>

#include "esterel_scanner.h"

using esterel::EsterelScan;
using esterel::Span;
using esterel::Token;

struct ReadingDifference {
  Span span;
  const char* rule;     // stable rule id
  std::string message;  // empty when the difference does not change what the program means
  bool never_read = false;  // a form that morvac can read nowhere (`#`, `elsif`, `??`)
};

struct ReadingComparison {
  std::vector<ReadingDifference> differences;
  bool differs = false;  // any difference at all, said or not
};

// Compares the source's tokens (Esterel's reading) with morvac's tokens of the copy.
[[nodiscard]] ReadingComparison compare_readings(std::string_view source,
                                                 const std::vector<Token>& esterel,
                                                 const std::vector<Token>& morvac);

#endif  // MORVAC_CHECKER_READING_DIFFERENCES_H
