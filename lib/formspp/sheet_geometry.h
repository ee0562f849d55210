// Geometry of formspp's drawing helpers; included by sheet.h.
//
// The points and angles that the drawing sheet draws through, computed without a display so that
// they can be checked on their own, and the picking test point_dans_segment. Screen coordinates:
// x grows to the right, y downwards; angles in degrees grow counter-clockwise from 3 o'clock as in
// FLTK's fl_pie and fl_arc.
#ifndef MORVAC_FORMSPP_SHEET_GEOMETRY_H
#define MORVAC_FORMSPP_SHEET_GEOMETRY_H

struct OFL_point {
  int x;
  int y;
};

// The two corners of a zigzag line: (x1, y1) -> p -> q -> (x2, y2).
struct OFL_zigzag {
  OFL_point p;
  OFL_point q;
};

// The two points from which the strokes of an arrow head run to the arrow's end.
struct OFL_arrow_head {
  OFL_point h1;
  OFL_point h2;
};

// A filled circle sector as fl_pie takes it: bounding square at (x, y), side d, from angle a1 to
// angle a2.
struct OFL_sector {
  int x;
  int y;
  int d;
  double a1;
  double a2;
};

// Returns the corners of the zigzag from (x1, y1) to (x2, y2): p a quarter of the way along,
// moved sideways by half the length, q three quarters of the way, moved to the other side (integer
// arithmetic, divisions truncated). Example: (0, 0) to (8, 0) gives p (2, 4) and q (6, -4).
[[nodiscard]] OFL_zigzag ofl_break_line_corners(int x1, int y1, int x2, int y2);

// Returns the two points of an arrow head of length n and half-angle a (radians) at (x2, y2),
// pointing back towards (x1, y1); every offset is truncated towards zero. Example: (0, 0) to
// (10, 0) with n 5 and a 0.5 gives (6, -2) and (6, 2).
[[nodiscard]] OFL_arrow_head ofl_arrow_head_points(int x1, int y1, int x2, int y2, int n, double a);

// Returns the 40-degree sector of radius |(x2, y2) - (x1, y1)| whose apex is the end point
// (x2, y2) and whose middle runs back to (x1, y1): an arrow head as long as the segment. A
// segment of length 0 gives a sector of size 0.
[[nodiscard]] OFL_sector ofl_arrowbound_sector(int x1, int y1, int x2, int y2);

// Returns 1 if (x, y) lies on the segment (x1, y1)-(x2, y2), ends included, at a distance below
// tol, else 0. Vertical and horizontal segments (within 1e-10) accept points between the ends
// closer than tol to the line; oblique ones accept points inside the segment's bounding box
// closer than tol to its line. A segment reduced to a point accepts points on its vertical line.
[[nodiscard]] int point_dans_segment(double x, double y, double x1, double y1, double x2, double y2,
                                     double tol);

#endif  // MORVAC_FORMSPP_SHEET_GEOMETRY_H
