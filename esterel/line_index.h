// Lines and columns of byte offsets. Lines count from 1; columns are counted in the unit that the
// reader of the findings counts in, from an origin (GCC's default: display columns from 1).
#ifndef MORVAC_CHECKER_LINE_INDEX_H
#define MORVAC_CHECKER_LINE_INDEX_H

#include <cstdint>
#include <string_view>
#include <vector>

enum class ColumnUnit {
  Display,    // characters, a tab advancing to the next multiple of 8 (GCC, Emacs)
  Byte,       // bytes (Vim's default errorformat)
  CodePoint,  // characters, a tab one (SARIF's unicodeCodePoints)
};

struct ColumnStyle {
  ColumnUnit unit = ColumnUnit::Display;
  std::uint32_t origin = 1;  // the column of a line's first character
};

struct LineColumn {
  std::uint32_t line;
  std::uint32_t column;
};

class LineIndex {
 public:
  explicit LineIndex(std::string_view text);
  // Returns the line of offset and its column in bytes from 1.
  [[nodiscard]] LineColumn at(std::uint32_t offset) const;
  // Returns the line of offset in text (the text indexed) and its column in style. A byte-order
  // mark that opens the text is no character of its first line: editors read it as the encoding.
  // Takes constant time, also on lines of megabytes.
  [[nodiscard]] LineColumn at(std::string_view text, std::uint32_t offset,
                              ColumnStyle style) const;

 private:
  // The columns (from 0) of every kCheckpointBytes-th offset in its line, from which a column is
  // counted on.
  struct Checkpoint {
    std::uint32_t display;
    std::uint32_t code_points;
  };

  std::vector<std::uint32_t> starts_;  // offset of each line's first byte
  std::vector<Checkpoint> checkpoints_;
};

#endif  // MORVAC_CHECKER_LINE_INDEX_H
