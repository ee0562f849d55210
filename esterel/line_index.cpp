#include "line_index.h"

#include <algorithm>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::uint32_t kTabStop = 8;
constexpr std::uint32_t kCheckpointBytes = 256;

// A byte that continues a UTF-8 character: no column of its own.
bool continues_a_character(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

}  // namespace

LineIndex::LineIndex(std::string_view text) {
  starts_.push_back(0);
  for (std::size_t at = text.find('\n'); at != std::string_view::npos;
       at = text.find('\n', at + 1)) {
    starts_.push_back(static_cast<std::uint32_t>(at + 1));
  }
  checkpoints_.reserve(text.size() / kCheckpointBytes + 1);
  const std::size_t first = text.substr(0, kByteOrderMark.size()) == kByteOrderMark ? 3 : 0;
  Checkpoint column{0, 0};
  for (std::size_t i = 0;; ++i) {
    if (i % kCheckpointBytes == 0) checkpoints_.push_back(column);
    if (i == text.size()) break;
    const auto byte = static_cast<unsigned char>(text[i]);
    if (i < first || continues_a_character(byte)) continue;
    if (byte == '\n') {
      column = Checkpoint{0, 0};
    } else {
      column.display = byte == '\t' ? (column.display / kTabStop + 1) * kTabStop
                                     : column.display + 1;
      ++column.code_points;
    }
  }
}

LineColumn LineIndex::at(std::uint32_t offset) const {
  const auto line = std::upper_bound(starts_.begin(), starts_.end(), offset) - starts_.begin();
  return LineColumn{static_cast<std::uint32_t>(line),
                    offset - starts_[static_cast<std::size_t>(line - 1)] + 1};
}

LineColumn LineIndex::at(std::string_view text, std::uint32_t offset, ColumnStyle style) const {
  const LineColumn bytes = at(offset);
  std::uint32_t begin = offset - (bytes.column - 1);
  if (begin == 0 && text.substr(0, kByteOrderMark.size()) == kByteOrderMark &&
      offset >= kByteOrderMark.size()) {
    begin = static_cast<std::uint32_t>(kByteOrderMark.size());
  }
  std::uint32_t column = 0;
  if (style.unit == ColumnUnit::Byte) {
    column = offset - begin;
  } else {
    const std::uint32_t end = std::min<std::uint32_t>(offset, static_cast<std::uint32_t>(text.size()));
    // Counted on from the last checkpoint of the line before end, if any.
    const std::uint32_t mark = end / kCheckpointBytes;
    if (mark * kCheckpointBytes > begin && mark < checkpoints_.size()) {
      const Checkpoint& from = checkpoints_[mark];
      column = style.unit == ColumnUnit::Display ? from.display : from.code_points;
      begin = mark * kCheckpointBytes;
    }
    for (std::uint32_t i = begin; i < end; ++i) {
      const auto byte = static_cast<unsigned char>(text[i]);
      if (byte == '\t' && style.unit == ColumnUnit::Display) {
        column = (column / kTabStop + 1) * kTabStop;
      } else if (!continues_a_character(byte)) {
        ++column;
      }
    }
  }
  return LineColumn{bytes.line, column + style.origin};
}
