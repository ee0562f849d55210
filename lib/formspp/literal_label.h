// Labels and texts that FLTK shows exactly as written.
//
// FLTK reads '@' in the texts it draws as the start of a symbol: a label "@->" is an arrow, and
// "report@2024" loses its end. formspp shows its callers' texts as they are written, through the
// literal label type, a literal drawing call, or, for the toolkit's own message boxes, doubled
// '@' signs.
#ifndef MORVAC_FORMSPP_LITERAL_LABEL_H
#define MORVAC_FORMSPP_LITERAL_LABEL_H

#include <FL/Enumerations.H>

#include <string>

class Fl_Widget;

// Gives widget the literal label type (registered with the toolkit on first use): the look of
// the normal label type, without symbols.
void formspp_use_literal_label(Fl_Widget* widget);

// Draws text as written in the box (x, y, w, h) with alignment align, in font style at size and
// colour color: forms fl_drw_text without symbols.
void formspp_draw_literal_text(Fl_Align align, int x, int y, int w, int h, Fl_Color color, int size,
                               Fl_Font style, const char* text);

// Returns text with every '@' doubled, which the toolkit's message, alert, question and input
// boxes show as one '@'.
inline std::string formspp_escape_at_signs(const std::string& text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
    escaped += c;
    if (c == '@') escaped += '@';
  }
  return escaped;
}

#endif  // MORVAC_FORMSPP_LITERAL_LABEL_H
