// The findings of one file: located errors, warnings and notes with stable rule ids.
#ifndef MORVAC_CHECKER_FINDINGS_H
#define MORVAC_CHECKER_FINDINGS_H

#include <string>
#include <vector>

#include "esterel_tree.h"

using esterel::Span;

enum class Level { Error, Warning, Note };

struct Note {
  Span span;
  std::string message;
};

struct Finding {
  Span span;
  Level level;
  const char* rule;  // stable id, e.g. "syntax-error"
  std::string message;
  std::vector<Note> notes;  // shown right after the finding
};

// Returns "error", "warning" or "note".
[[nodiscard]] const char* level_name(Level level);

// Sorts findings by where they begin, keeping the order of those that begin at one place.
void sort_findings(std::vector<Finding>& findings);

#endif  // MORVAC_CHECKER_FINDINGS_H
