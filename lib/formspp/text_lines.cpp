#include "formspp/text_lines.h"

std::vector<std::string> formspp_split_lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  do {
    const size_t newline = text.find('\n', start);
    if (newline == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, newline - start));
    start = newline + 1;
  } while (start < text.size());
  return lines;
}

std::string formspp_literal_browser_line(const std::string& line, char format) {
  if (line.empty() || line[0] != format) return line;
  return std::string{format, '.'} + line;
}
