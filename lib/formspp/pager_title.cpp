#include "formspp/pager_title.h"

#include <FL/fl_draw.H>
#include <FL/fl_utf8.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

// The smallest size the title is shrunk to.
constexpr int kSmallestSize = 6;

int width_of(const std::string& text) {
  return static_cast<int>(fl_width(text.data(), static_cast<int>(text.size())) + 0.999);
}

// Appends word to lines, cut into pieces of whole characters that each fit in width.
void add_long_word(const std::string& word, int width, std::vector<std::string>* lines) {
  std::string piece;
  for (size_t at = 0; at < word.size();) {
    const size_t length = std::max(1, fl_utf8len1(word[at]));
    const std::string character = word.substr(at, length);
    if (!piece.empty() && width_of(piece + character) > width) {
      lines->push_back(piece);
      piece.clear();
    }
    piece += character;
    at += length;
  }
  lines->push_back(piece);
}

// Returns text broken into lines no wider than width in the current font: at blanks, and inside
// a word that is wider than a line by itself.
std::vector<std::string> break_lines(const std::string& text, int width) {
  std::vector<std::string> lines;
  std::string line;
  size_t at = 0;
  while (at < text.size()) {
    const size_t end = std::min(text.find(' ', at), text.size());
    const std::string word = text.substr(at, end - at);
    at = end + 1;
    if (word.empty()) continue;
    std::string longer = line;
    if (!longer.empty()) longer += ' ';
    longer += word;
    if (width_of(longer) <= width) {
      line = std::move(longer);
      continue;
    }
    if (!line.empty()) lines.push_back(line);
    line.clear();
    if (width_of(word) <= width) {
      line = word;
    } else {
      add_long_word(word, width, &lines);
      line = lines.back();
      lines.pop_back();
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

// Returns where a span of size length centred on centre starts, moved inside [low, high) if it
// would reach out of it (to low when it is larger than that).
int place(int centre, int length, int low, int high) {
  return std::max(low, std::min(centre - length / 2, high - length));
}

}  // namespace

PagerTitle::PagerTitle(int x, int y, int w, int h) : Fl_FormsText(FL_NO_BOX, x, y, w, h) {}

void PagerTitle::room(int x, int y, int w, int h) {
  room_x_ = x;
  room_y_ = y;
  room_w_ = w;
  room_h_ = h;
}

void PagerTitle::paint() const {
  if (label() == nullptr || *label() == '\0' || room_w_ <= 0) return;
  const std::string text = label();
  std::vector<std::string> lines;
  int size = labelsize();
  for (;; --size) {
    fl_font(labelfont(), size);
    lines = break_lines(text, room_w_);
    if (static_cast<int>(lines.size()) * fl_height() <= room_h_ || size <= kSmallestSize) break;
  }
  // The lines are centred on one axis: that of the box, or as near as the widest line allows.
  int widest = 0;
  for (const std::string& line : lines) widest = std::max(widest, width_of(line));
  const int axis = place(x() + w() / 2, widest, room_x_, room_x_ + room_w_) + widest / 2;
  const int line_height = fl_height();
  const int block = static_cast<int>(lines.size()) * line_height;
  int top = place(y() + h() / 2, block, room_y_, room_y_ + room_h_);
  fl_color(labelcolor());
  for (const std::string& line : lines) {
    const int left = axis - width_of(line) / 2;
    // Drawn as plain text: no '@' symbols, no '&' shortcuts.
    fl_draw(line.data(), static_cast<int>(line.size()), left, top + line_height - fl_descent());
    top += line_height;
  }
}

void PagerBackground::draw() {
  Fl_Box::draw();
  if (title_ != nullptr) title_->paint();
}
