// Forms-style helpers that take strings.
#include <FL/forms.H>

#include <memory>

#include "Stringpp.h"
#include "formspp/characters.h"
#include "formspp/dialogs.h"
#include "formspp/literal_label.h"
#include "formspp/message_box.h"
#include "formspp/text_lines.h"

// FLTK measures browser lines with a font, which needs a display (it ends the program without
// one), so the browser helpers do nothing where no display can be opened.

namespace {

using Copy = std::unique_ptr<char[]>;

// Returns s as browser (an Fl_Browser) must hold it to show it as written.
std::string browser_line(Fl_Widget* browser, const std::string& s) {
  return formspp_literal_browser_line(s, static_cast<Fl_Browser*>(browser)->format_char());
}

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
  const Copy copy(Stoa(browser_line(browser, s)));
  fl_add_browser_line(browser, copy.get());
}

void fl_replace_browser_Sline(Fl_Widget* browser, int line, const std::string& s) {
  if (!formspp_display_available()) return;
  const Copy copy(Stoa(browser_line(browser, s)));
  fl_replace_browser_line(browser, line, copy.get());
}

int fl_add_browser_Sline_if_new(Fl_Browser* browser, const std::string& s) {
  if (!formspp_display_available()) return 0;
  const std::string held = browser_line(browser, s);
  const int lines = browser->size();
  for (int line = 1; line <= lines; ++line) {
    const char* text = browser->text(line);
    if (held == (text == nullptr ? "" : text)) return 0;
  }
  fl_add_browser_Sline(browser, s);
  return 1;
}

void fl_set_object_Slabel(Fl_Widget* obj, const std::string& s, int n) {
  const Copy copy(Stoa(n >= 0 ? formspp_first_characters(s, static_cast<size_t>(n)) : s));
  obj->copy_label(copy.get());
  // A label type that the caller chose is the caller's; the normal one draws '@' as written.
  if (obj->labeltype() == FL_NORMAL_LABEL) formspp_use_literal_label(obj);
  obj->redraw();
}

void fl_drw_String(Fl_Align align, int x, int y, int w, int h, Fl_Color color, int size,
                   Fl_Font style, const std::string& s) {
  if (!formspp_display_available()) return;
  const Copy copy(Stoa(s));
  formspp_draw_literal_text(align, x, y, w, h, color, size, style, copy.get());
}
