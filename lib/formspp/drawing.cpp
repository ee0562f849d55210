#include <FL/fl_draw.H>

#include "formspp/sheet.h"

void fl_ovalf(int x, int y, int w, int h, Fl_Color c) {
  fl_color(c);
  fl_pie(x, y, w, h, 0.0, 360.0);
}

void fl_ovalf(int x, int y, int w, int h, int c) {
  fl_ovalf(x, y, w, h, static_cast<Fl_Color>(c));
}

void fl_circf(int x, int y, int d, Fl_Color c) {
  fl_ovalf(x, y, d, d, c);
}

void fl_circf(int x, int y, int d, int c) {
  fl_ovalf(x, y, d, d, static_cast<Fl_Color>(c));
}

void fl_rectbound(int& x, int& y, int& w, int& h, Fl_Color& c) {
  fl_color(c);
  fl_rectf(x, y, w, h);
  fl_color(FL_BLACK);
  fl_rect(x, y, w, h);
}

void fl_rectbound(int x, int y, int w, int h, int c) {
  auto colour = static_cast<Fl_Color>(c);
  fl_rectbound(x, y, w, h, colour);
}

void fl_line(int xa, int ya, int xb, int yb, Fl_Color c) {
  fl_color(c);
  fl_line(xa, ya, xb, yb);
}

void fl_line(int xa, int ya, int xb, int yb, Fl_Color& c) {
  fl_color(c);
  fl_line(xa, ya, xb, yb);
}
