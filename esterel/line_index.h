// Lines and columns of byte offsets, both counted from 1, columns in bytes.
#ifndef MORVAC_CHECKER_LINE_INDEX_H
#define MORVAC_CHECKER_LINE_INDEX_H

#include <cstdint>
#include <string_view>
#include <vector>

struct LineColumn {
  std::uint32_t line;
  std::uint32_t column;
};

class LineIndex {
 public:
  explicit LineIndex(std::string_view text);
  // Returns the line and column of offset.
  [[nodiscard]] LineColumn at(std::uint32_t offset) const;

 private:
  std::vector<std::uint32_t> starts_;  // offset of each line's first byte
};

#endif  // MORVAC_CHECKER_LINE_INDEX_H
