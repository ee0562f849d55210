// Cutting a text into the lines that a browser shows.
#ifndef MORVAC_FORMSPP_TEXT_LINES_H
#define MORVAC_FORMSPP_TEXT_LINES_H

#include <string>
#include <vector>

// Returns the lines of text, cut at each newline and without it: "a\n\nb\n" gives "a", "" and
// "b" (a final newline adds no empty line); a text without newline, the empty text included,
// gives one line.
[[nodiscard]] std::vector<std::string> formspp_split_lines(const std::string& text);

// Returns line as a browser line shown literally: a browser reads a leading format character
// (format, '@' unless the browser was given another; 0 for none) as a formatting code, so such a
// line gets that character and '.' in front ("@." ends formatting); other lines come back
// unchanged.
[[nodiscard]] std::string formspp_literal_browser_line(const std::string& line, char format = '@');

#endif  // MORVAC_FORMSPP_TEXT_LINES_H
