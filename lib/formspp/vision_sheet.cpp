#include <FL/fl_draw.H>
#include <FL/forms.H>

#include <memory>

#include "Stringpp.h"
#include "formspp/literal_label.h"
#include "formspp/sheet.h"

namespace {

// Clips to the sheet for the lifetime of one primitive, if the sheet clips at all.
class SheetClip {
 public:
  explicit SheetClip(const OFL_vision_sheet& sheet) : active_(sheet.clips()) {
    if (active_) fl_push_clip(sheet.x0, sheet.y0, sheet.x1 - sheet.x0, sheet.y1 - sheet.y0);
  }
  ~SheetClip() {
    if (active_) fl_pop_clip();
  }
  SheetClip(const SheetClip&) = delete;
  SheetClip& operator=(const SheetClip&) = delete;

 private:
  bool active_;
};

}  // namespace

void OFL_vision_sheet::define(int x, int y, int w, int h, Fl_Color c) {
  resize(x, y, w, h);
  couleur = c;
}

void OFL_vision_sheet::resize(int x, int y, int w, int h) {
  x0 = x;
  y0 = y;
  x1 = x + w;
  y1 = y + h;
}

void OFL_vision_sheet::ofl_line(int xa, int ya, int xb, int yb, Fl_Color c) const {
  const SheetClip clip(*this);
  fl_color(c);
  fl_line(xa, ya, xb, yb);
}

void OFL_vision_sheet::ofl_dash_line(int xa, int ya, int xb, int yb, Fl_Color c) const {
  const SheetClip clip(*this);
  fl_color(c);
  fl_line_style(FL_DASH, 0);
  fl_line(xa, ya, xb, yb);
  fl_line_style(FL_SOLID);
}

void OFL_vision_sheet::ofl_break_line(int xa, int ya, int xb, int yb, Fl_Color c) const {
  const SheetClip clip(*this);
  const OFL_zigzag zigzag = ofl_break_line_corners(xa, ya, xb, yb);
  fl_color(c);
  fl_line(xa, ya, zigzag.p.x, zigzag.p.y);
  fl_line(zigzag.p.x, zigzag.p.y, zigzag.q.x, zigzag.q.y);
  fl_line(zigzag.q.x, zigzag.q.y, xb, yb);
}

void OFL_vision_sheet::ofl_rect(int x, int y, int w, int h, Fl_Color c) const {
  const SheetClip clip(*this);
  fl_color(c);
  fl_rect(x, y, w, h);
}

void OFL_vision_sheet::ofl_rectf(int x, int y, int w, int h, Fl_Color c) const {
  const SheetClip clip(*this);
  fl_color(c);
  fl_rectf(x, y, w, h);
}

void OFL_vision_sheet::ofl_rectbound(int x, int y, int w, int h, Fl_Color c) const {
  const SheetClip clip(*this);
  fl_color(c);
  fl_rectf(x, y, w, h);
  fl_color(FL_BLACK);
  fl_rect(x, y, w, h);
}

void OFL_vision_sheet::ofl_circ(int x, int y, int d, Fl_Color c) const {
  const SheetClip clip(*this);
  fl_color(c);
  fl_arc(x, y, d, d, 0.0, 360.0);
}

void OFL_vision_sheet::ofl_circf(int x, int y, int d, Fl_Color c) const {
  const SheetClip clip(*this);
  fl_color(c);
  fl_pie(x, y, d, d, 0.0, 360.0);
}

void OFL_vision_sheet::ofl_circbound(int x, int y, int d, Fl_Color c) const {
  const SheetClip clip(*this);
  fl_color(c);
  fl_pie(x, y, d, d, 0.0, 360.0);
  fl_color(FL_BLACK);
  fl_arc(x, y, d, d, 0.0, 360.0);
}

void OFL_vision_sheet::ofl_arrowbound(int xa, int ya, int xb, int yb, Fl_Color c) const {
  const SheetClip clip(*this);
  const OFL_sector sector = ofl_arrowbound_sector(xa, ya, xb, yb);
  fl_color(c);
  fl_pie(sector.x, sector.y, sector.d, sector.d, sector.a1, sector.a2);
  fl_color(FL_BLACK);
}

void OFL_vision_sheet::ofl_drw_arrow_line(int xa, int ya, int xb, int yb, int n, double a,
                                          Fl_Color c) const {
  const SheetClip clip(*this);
  const OFL_arrow_head head = ofl_arrow_head_points(xa, ya, xb, yb, n, a);
  fl_color(c);
  fl_line(head.h1.x, head.h1.y, xb, yb);
  fl_line(head.h2.x, head.h2.y, xb, yb);
  fl_line(xa, ya, xb, yb);
}

void OFL_vision_sheet::ofl_drw_text(Fl_Align align, int x, int y, int w, int h, Fl_Color c,
                                    int size, Fl_Font style, const char* text) const {
  const SheetClip clip(*this);
  formspp_draw_literal_text(align, x, y, w, h, c, size, style, text);
}

void OFL_vision_sheet::ofl_drw_String(Fl_Align align, int x, int y, int w, int h, Fl_Color c,
                                      Fl_Font style, int size, const std::string& text) const {
  const std::unique_ptr<char[]> copy(Stoa(text));
  ofl_drw_text(align, x, y, w, h, c, size, style, copy.get());
}
