#include "formspp/pager_markup.h"

#include <algorithm>

#include "formspp/characters.h"

namespace formspp_pager {

namespace {

const int kPointsPerCharacter = 5;

// Returns cell without its parentheses, so that it stays one string of the page description;
// a backslash that would escape the closing parenthesis (an odd run at the end) is dropped.
std::string print_text(const std::string& cell) {
  std::string text;
  for (const char c : cell) {
    if (c != '(' && c != ')') text += c;
  }
  size_t backslashes = 0;
  while (backslashes < text.size() && text[text.size() - 1 - backslashes] == '\\') ++backslashes;
  if (backslashes % 2 == 1) text.pop_back();
  return text;
}

}  // namespace

int line_type(const std::string& line) {
  if (line.size() < 2 || line[0] != '#') return kDataLine;
  switch (line[1]) {
    case 'T':
      return kRuleLine;
    case 'C':
      return kColumnLine;
    case 'P':
      return kLayoutColumnLine;
    default:
      return kDataLine;
  }
}

bool takes_room(const std::string& line) {
  const int type = line_type(line);
  return type == kDataLine || type == kRuleLine;
}

void parse_column_line(const std::string& line, int widths[], bool marks[]) {
  std::fill(widths, widths + kColumns, 0);
  std::fill(marks, marks + kColumns, false);
  int number = 0;
  int column = -1;
  for (const char c : line) {
    if (c >= '0' && c <= '9') {
      // Saturates just past the limit, which keeps a non-zero number non-zero.
      number = std::min(10 * number + (c - '0'), kMaxWidth + 1);
    } else if (c == 'T') {
      if (column + 1 < kColumns) marks[column + 1] = true;
    } else if (c == ' ' && number != 0) {
      ++column;
      if (column < kColumns) widths[column] = std::min(number, kMaxWidth);
      number = 0;
    }
  }
}

int total_width(const int widths[]) {
  int total = 0;
  for (int column = 0; column < kColumns; ++column) total += widths[column];
  return total;
}

bool Pagination::begins_page(int index) {
  if (counted_ <= first_ + kCountedLinesPerPage - 1) return false;
  first_ = index;
  counted_ = index;
  return true;
}

void Pagination::count(const std::string& line) {
  if (takes_room(line)) ++counted_;
}

int page_breaks(const std::string* lines, int count) {
  int breaks = 0;
  for_each_paged_line(
      lines, count, [&](int page) { breaks = page; }, [](const std::string&) {});
  return breaks;
}

std::string text_export_line(const std::string& line) {
  if (line_type(line) == kDataLine) return line;
  return std::string(55, '-');
}

std::vector<PrintedCell> printed_cells(const std::string& line, const int widths[], int margin) {
  std::vector<PrintedCell> cells;
  int x = margin + kPointsPerCharacter;
  size_t start = 0;
  for (int column = 0;; ++column) {
    const size_t separator = start < line.size() ? line.find('#', start) : std::string::npos;
    const size_t end = separator == std::string::npos ? line.size() : separator;
    if (column < kColumns) {
      const size_t width = static_cast<size_t>(widths[column]);
      const std::string cell = start < end ? line.substr(start, end - start) : "";
      std::string text = formspp_win_ansi(print_text(formspp_first_characters(cell, width)));
      if (text != " ") cells.push_back({x, std::move(text)});
      x += kPointsPerCharacter * widths[column];
    }
    if (separator == std::string::npos) break;
    // The character right after a '#' is skipped: cells are written "a# b".
    start = separator + 2;
  }
  return cells;
}

std::vector<int> marked_column_edges(const int widths[], const bool marks[], int margin) {
  std::vector<int> edges;
  int x = margin;
  for (int column = 0; column < kColumns; ++column) {
    if (marks[column]) edges.push_back(x);
    x += kPointsPerCharacter * widths[column];
  }
  return edges;
}

}  // namespace formspp_pager
