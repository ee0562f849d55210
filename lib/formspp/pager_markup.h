// The document markup shared by the pager's screen, print and text filters.
#ifndef MORVAC_FORMSPP_PAGER_MARKUP_H
#define MORVAC_FORMSPP_PAGER_MARKUP_H

#include <string>
#include <vector>

namespace formspp_pager {

inline constexpr int kColumns = 15;
inline constexpr int kMaxWidth = 1000;
inline constexpr int kCountedLinesPerPage = 77;

enum LineType { kDataLine = 0, kColumnLine = 1, kLayoutColumnLine = 2, kRuleLine = 3 };

// Returns the LineType of line from its first two characters.
[[nodiscard]] int line_type(const std::string& line);

// Returns true for the lines that take room on a page: data and rule lines.
[[nodiscard]] bool takes_room(const std::string& line);

// Resets the 15 widths and marks and reads them from a column line.
void parse_column_line(const std::string& line, int widths[], bool marks[]);

// Returns the sum of the 15 widths.
[[nodiscard]] int total_width(const int widths[]);

// Walks a document line by line and tells where its pages begin.
class Pagination {
 public:
  // Call before line `index` (in order from 0); returns true when that line begins a page
  // after the first.
  [[nodiscard]] bool begins_page(int index);
  // Call after begins_page with the same line.
  void count(const std::string& line);

 private:
  int first_ = 0;
  int counted_ = 0;
};

// Walks a document page by page: calls on_break(n) before the first line of page n (n from 1;
// not before the first page) and on_line(line) for every line, in order.
template <class OnBreak, class OnLine>
void for_each_paged_line(const std::string* lines, int count, OnBreak on_break, OnLine on_line) {
  Pagination pagination;
  int breaks = 0;
  for (int index = 0; index < count; ++index) {
    if (pagination.begins_page(index)) on_break(++breaks);
    pagination.count(lines[index]);
    on_line(lines[index]);
  }
}

// Returns the number of page breaks of a document (the index of its last page).
[[nodiscard]] int page_breaks(const std::string* lines, int count);

// Returns the plain-text export of one line: a data line unchanged, others as 55 dashes.
[[nodiscard]] std::string text_export_line(const std::string& line);

// A cell of a data line as print shows it: its text and where it starts.
struct PrintedCell {
  int x;
  std::string text;
};

// Returns the cells of a data line to print (blank cells left out), for the given widths and
// left margin: each cut to its column's width in characters, without its parentheses, in the
// WinAnsi encoding of the print font.
[[nodiscard]] std::vector<PrintedCell> printed_cells(const std::string& line, const int widths[],
                                                     int margin);

// Returns the x of the left edge of every marked column.
[[nodiscard]] std::vector<int> marked_column_edges(const int widths[], const bool marks[],
                                                   int margin);

}  // namespace formspp_pager

#endif  // MORVAC_FORMSPP_PAGER_MARKUP_H
