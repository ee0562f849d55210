// Drawing sheet and drawing helpers of formspp; included by formspp.h.
//
// OFL_vision_sheet is a clipped drawing surface for the draw() code of a custom widget: it
// remembers a rectangle of the window, and its line, rectangle, circle, arrow and text primitives
// draw only inside it. A sheet without area (a new one, all zeros) does not clip. Beside it, free
// helpers draw filled ovals and circles, framed rectangles and coloured lines without clipping.
// Everything here uses FLTK's drawing calls and must run inside a widget's drawing; the geometry
// behind it, and point_dans_segment for picking drawn lines, are in sheet_geometry.h.
#ifndef MORVAC_FORMSPP_SHEET_H
#define MORVAC_FORMSPP_SHEET_H

#include <FL/Enumerations.H>

#include <string>

#include "sheet_geometry.h"

class OFL_vision_sheet {
 public:
  // An empty sheet: all zeros, colour FL_BLACK; it does not clip.
  OFL_vision_sheet() = default;

  // Sets the sheet to the rectangle x, y, w x h and stores colour c.
  void define(int x, int y, int w, int h, Fl_Color c);
  // Sets the sheet to the rectangle x, y, w x h; the stored colour is kept.
  void resize(int x, int y, int w, int h);
  // Returns true when the sheet has an area (x1 > x0 and y1 > y0): only then do its primitives
  // clip to it.
  [[nodiscard]] bool clips() const { return x1 > x0 && y1 > y0; }

  // Each primitive draws in colour c, clipped to the sheet when the sheet clips.

  // Draws a line from (xa, ya) to (xb, yb).
  void ofl_line(int xa, int ya, int xb, int yb, Fl_Color c) const;
  // Draws a dashed line; the line style is solid again afterwards.
  void ofl_dash_line(int xa, int ya, int xb, int yb, Fl_Color c) const;
  // Draws a zigzag of three segments from (xa, ya) to (xb, yb) (see ofl_break_line_corners).
  void ofl_break_line(int xa, int ya, int xb, int yb, Fl_Color c) const;
  // Draws the outline of the rectangle x, y, w x h.
  void ofl_rect(int x, int y, int w, int h, Fl_Color c) const;
  // Fills the rectangle x, y, w x h.
  void ofl_rectf(int x, int y, int w, int h, Fl_Color c) const;
  // Fills the rectangle, then outlines it in FL_BLACK.
  void ofl_rectbound(int x, int y, int w, int h, Fl_Color c) const;
  // Draws the outline of the circle in the square x, y, d x d.
  void ofl_circ(int x, int y, int d, Fl_Color c) const;
  // Fills the circle in the square x, y, d x d.
  void ofl_circf(int x, int y, int d, Fl_Color c) const;
  // Fills the circle, then outlines it in FL_BLACK.
  void ofl_circbound(int x, int y, int d, Fl_Color c) const;
  // Fills a 40-degree sector with its apex at (xb, yb), reaching back to (xa, ya) (see
  // ofl_arrowbound_sector); the current colour is FL_BLACK afterwards.
  void ofl_arrowbound(int xa, int ya, int xb, int yb, Fl_Color c) const;
  // Draws the segment and a two-stroke head of length n and half-angle a (radians) at (xb, yb).
  void ofl_drw_arrow_line(int xa, int ya, int xb, int yb, int n, double a, Fl_Color c) const;
  // Draws text as written ('@' is no symbol) in font style at size, in the box x, y, w x h with
  // alignment align.
  void ofl_drw_text(Fl_Align align, int x, int y, int w, int h, Fl_Color c, int size, Fl_Font style,
                    const char* text) const;
  // The same for a string; note that it takes the style before the size.
  void ofl_drw_String(Fl_Align align, int x, int y, int w, int h, Fl_Color c, Fl_Font style,
                      int size, const std::string& text) const;

  int x0 = 0;
  int y0 = 0;
  int x1 = 0;  // x0 + width: the right edge, excluded
  int y1 = 0;  // y0 + height: the bottom edge, excluded
  Fl_Color couleur = FL_BLACK;
};

// Fills the ellipse in the box x, y, w x h.
void fl_ovalf(int x, int y, int w, int h, Fl_Color c);
void fl_ovalf(int x, int y, int w, int h, int c);
// Fills the circle in the square x, y, d x d.
void fl_circf(int x, int y, int d, Fl_Color c);
void fl_circf(int x, int y, int d, int c);
// Fills the rectangle x, y, w x h in colour c, then outlines it in FL_BLACK.
void fl_rectbound(int& x, int& y, int& w, int& h, Fl_Color& c);
void fl_rectbound(int x, int y, int w, int h, int c);
// Draws a line from (xa, ya) to (xb, yb) in colour c. With a colour variable that is not const
// both overloads match equally: name the one wanted through a function pointer.
void fl_line(int xa, int ya, int xb, int yb, Fl_Color c);
void fl_line(int xa, int ya, int xb, int yb, Fl_Color& c);

#endif  // MORVAC_FORMSPP_SHEET_H
