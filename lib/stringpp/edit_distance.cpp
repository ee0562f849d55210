// levenshtein: edit distance with two rolling rows, so memory grows with the texts instead of
// a fixed table on the stack (callers may run on small thread stacks).
#include <algorithm>
#include <iostream>
#include <vector>

#include "Stringpp.h"

namespace {

// Texts longer than this are refused, as they always have been.
constexpr std::string::size_type kMaxLength = 998;

}  // namespace

int levenshtein(const std::string& a, const std::string& b) {
  if (a.size() > kMaxLength || b.size() > kMaxLength) {
    std::cerr << "chaines trop grandes!" << '\n';
    return -1;
  }
  std::vector<int> previous(b.size() + 1);
  std::vector<int> current(b.size() + 1);
  for (std::string::size_type j = 0; j <= b.size(); ++j) previous[j] = static_cast<int>(j);
  for (std::string::size_type i = 1; i <= a.size(); ++i) {
    current[0] = static_cast<int>(i);
    for (std::string::size_type j = 1; j <= b.size(); ++j) {
      const int substitution = previous[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
      current[j] = std::min({previous[j] + 1, current[j - 1] + 1, substitution});
    }
    std::swap(previous, current);
  }
  return previous[b.size()];
}
