#include "line_index.h"

#include <algorithm>

LineIndex::LineIndex(std::string_view text) {
  starts_.push_back(0);
  for (std::size_t at = text.find('\n'); at != std::string_view::npos;
       at = text.find('\n', at + 1)) {
    starts_.push_back(static_cast<std::uint32_t>(at + 1));
  }
}

LineColumn LineIndex::at(std::uint32_t offset) const {
  const auto line = std::upper_bound(starts_.begin(), starts_.end(), offset) - starts_.begin();
  return LineColumn{static_cast<std::uint32_t>(line),
                    offset - starts_[static_cast<std::size_t>(line - 1)] + 1};
}
