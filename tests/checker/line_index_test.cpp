// Columns of every offset of texts with long lines, tabs, UTF-8 and a byte-order mark, in each
// unit and origin, against a count from the start of the line.
#include <gtest/gtest.h>

#include <string>

#include "line_index.h"

namespace {

// The column counted from the line's start (the byte-order mark of the first line skipped).
std::uint32_t counted(const std::string& text, std::uint32_t offset, ColumnStyle style) {
  std::uint32_t begin = offset;
  while (begin > 0 && text[begin - 1] != '\n') --begin;
  if (begin == 0 && text.compare(0, 3, "\xEF\xBB\xBF") == 0 && offset >= 3) begin = 3;
  std::uint32_t column = 0;
  for (std::uint32_t i = begin; i < offset; ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (style.unit == ColumnUnit::Byte) {
      ++column;
    } else if (byte == '\t' && style.unit == ColumnUnit::Display) {
      column = (column / 8 + 1) * 8;
    } else if ((byte & 0xC0) != 0x80) {
      ++column;
    }
  }
  return column + style.origin;
}

TEST(CheckerLineIndex, EveryOffsetOfLongLines) {
  const std::string pieces[] = {"emit O;", "\t", "é", "x := 1;", "\xE2\x82\xAC", " ", "\t\t"};
  std::string long_line;
  for (int i = 0; i < 1500; ++i) long_line += pieces[(i * 7 + i / 3) % std::size(pieces)];
  for (const std::string& text :
       {long_line, "\xEF\xBB\xBF" + long_line + "\n" + long_line,
        "module M:\n" + long_line + "\n\n\t" + long_line + "\nend module\n"}) {
    const LineIndex lines(text);
    for (const ColumnStyle style : {ColumnStyle{ColumnUnit::Display, 1},
                                    ColumnStyle{ColumnUnit::Byte, 1},
                                    ColumnStyle{ColumnUnit::CodePoint, 0}}) {
      std::uint32_t line = 1;
      for (std::uint32_t offset = 0; offset <= text.size(); ++offset) {
        const LineColumn at = lines.at(text, offset, style);
        ASSERT_EQ(line, at.line) << offset;
        ASSERT_EQ(counted(text, offset, style), at.column)
            << "offset " << offset << ", unit " << static_cast<int>(style.unit);
        if (offset < text.size() && text[offset] == '\n') ++line;
      }
    }
  }
}

}  // namespace
