// Forms-style helpers that take strings.
#include <FL/forms.H>

#include <memory>

#include "Stringpp.h"
#include "formspp/dialogs.h"
#include "formspp/literal_label.h"
#include "formspp/message_box.h"

// FLTK measures browser lines with a font, which needs a display (it ends the program without
// one), so the browser helpers do nothing where no display can be opened.

namespace {
using Copy = std::unique_ptr<char[]>;
}  // namespace

void fl_set_Sinput(Fl_Widget* input, const std::string& s) {
  const Copy copy(Stoa(s));
  fl_set_input(input, copy.get());
}

Fl_FormsText* fl_add_Stext(Fl_Boxtype type, int x, int y, int w, int h, const std::string& s) {
  Fl_FormsText* text = fl_add_text(type, x, y, w, h, nullptr);
  const Copy copy(Stoa(s));
  text->copy_label(copy.get());
  formspp_use_literal_label(text);
  return text;
}

void fl_add_browser_Sline(Fl_Widget* browser, const std::string& s) {
  if (!formspp_display_available()) return;
  const Copy copy(Stoa(s));
  fl_add_browser_line(browser, copy.get());
}

void fl_replace_browser_Sline(Fl_Widget* browser, int line, const std::string& s) {
  if (!formspp_display_available()) return;
  const Copy copy(Stoa(s));
  fl_replace_browser_line(browser, line, copy.get());
}

int fl_add_browser_Sline_if_new(Fl_Browser* browser, const std::string& s) {
  if (!formspp_display_available()) return 0;
  const int lines = browser->size();
  for (int line = 1; line <= lines; ++line) {
    const char* text = browser->text(line);
    if (s == (text == nullptr ? "" : text)) return 0;
  }
  fl_add_browser_Sline(browser, s);
  return 1;
}

void fl_set_object_Slabel(Fl_Widget* obj, const std::string& s, int n) {
  const bool cut = n >= 0 && static_cast<size_t>(n) < s.size();
  const Copy copy(Stoa(cut ? s.substr(0, static_cast<size_t>(n)) : s));
  obj->copy_label(copy.get());
  obj->redraw();
}

void fl_drw_String(Fl_Align align, int x, int y, int w, int h, Fl_Color color, int size,
                   Fl_Font style, const std::string& s) {
  if (!formspp_display_available()) return;
  const Copy copy(Stoa(s));
  fl_drw_text(align, x, y, w, h, color, size, style, copy.get());
}
