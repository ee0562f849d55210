#include "formspp/literal_label.h"

#include <FL/Fl.H>
#include <FL/Fl_Image.H>
#include <FL/Fl_Widget.H>
#include <FL/fl_draw.H>

namespace {

// Kept apart from FL_FREE_LABELTYPE, which applications commonly take for their own first type.
const Fl_Labeltype kLiteralLabel = static_cast<Fl_Labeltype>(FL_FREE_LABELTYPE + 7);

void draw_literal(const Fl_Label* label, int x, int y, int w, int h, Fl_Align align) {
  fl_font(label->font, label->size);
  fl_color(label->color);
  fl_draw(label->value, x, y, w, h, align, label->image, 0);
}

void measure_literal(const Fl_Label* label, int& w, int& h) {
  fl_font(label->font, label->size);
  fl_measure(label->value, w, h, 0);
  if (label->image != nullptr) {
    if (label->image->w() > w) w = label->image->w();
    h += label->image->h();
  }
}

}  // namespace

void formspp_use_literal_label(Fl_Widget* widget) {
  static const bool registered = [] {
    Fl::set_labeltype(kLiteralLabel, draw_literal, measure_literal);
    return true;
  }();
  (void)registered;
  widget->labeltype(kLiteralLabel);
}

void formspp_draw_literal_text(Fl_Align align, int x, int y, int w, int h, Fl_Color color, int size,
                               Fl_Font style, const char* text) {
  fl_font(style, size);
  fl_color(color);
  fl_draw(text, x, y, w, h, align, nullptr, 0);
}
