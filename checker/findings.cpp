#include "findings.h"

#include <algorithm>

const char* level_name(Level level) {
  switch (level) {
    case Level::Error:
      return "error";
    case Level::Warning:
      return "warning";
    case Level::Note:
      return "note";
  }
  return "error";
}

void sort_findings(std::vector<Finding>& findings) {
  std::stable_sort(findings.begin(), findings.end(),
                   [](const Finding& a, const Finding& b) { return a.span.begin < b.span.begin; });
}
