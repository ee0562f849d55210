// Geometry of the drawing helpers, checked without a display.
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

#include "formspp/sheet_geometry.h"

bool operator==(OFL_point a, OFL_point b) {
  return a.x == b.x && a.y == b.y;
}
std::ostream& operator<<(std::ostream& out, OFL_point p) {
  return out << "(" << p.x << ", " << p.y << ")";
}

namespace {

TEST(PointDansSegment, Table) {
  struct {
    const char* what;
    double x, y, x1, y1, x2, y2, tol;
    int expected;
  } const cases[] = {
      {"horizontal, within tolerance", 5, 0.4, 0, 0, 10, 0, 0.5, 1},
      {"horizontal, distance equal to tolerance", 5, 0.4, 0, 0, 10, 0, 0.4, 0},
      {"horizontal, beyond the end", 11, 0, 0, 0, 10, 0, 1000, 0},
      {"horizontal, end included, ends reversed", 0, -0.2, 10, 0, 0, 0, 0.5, 1},
      {"vertical, within tolerance", -0.3, 5, 0, 0, 0, 10, 0.5, 1},
      {"vertical, too far sideways", 0.6, 5, 0, 0, 0, 10, 0.5, 0},
      {"vertical, past the end", 0, 10.01, 0, 10, 0, 0, 0.5, 0},
      {"vertical within 1e-10", 0.2, 5, 0, 0, 1e-11, 10, 0.5, 1},
      {"oblique, distance 0.141 below 0.2", 1, 1.2, 0, 0, 2, 2, 0.2, 1},
      {"oblique, distance 0.141 above 0.14", 1, 1.2, 0, 0, 2, 2, 0.14, 0},
      {"oblique, near the line but outside the box", 2.05, 1.9, 0, 0, 2, 2, 0.5, 0},
      {"oblique, descending", 1, 1, 0, 2, 2, 0, 0.01, 1},
      {"point segment, beside it", 3.05, 3, 3, 3, 3, 3, 0.1, 1},
      {"point segment, below it", 3, 3.05, 3, 3, 3, 3, 0.1, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(point_dans_segment(c.x, c.y, c.x1, c.y1, c.x2, c.y2, c.tol), c.expected) << c.what;
  }
}

TEST(BreakLine, CornersTable) {
  struct {
    int x1, y1, x2, y2;
    OFL_point p, q;
  } const cases[] = {
      {0, 0, 8, 0, {2, 4}, {6, -4}},
      {0, 0, 0, 8, {-4, 2}, {4, 6}},
      {1, 1, -6, 2, {-1, -2}, {-3, 5}},  // negative quarters truncate towards zero
      {5, 5, 5, 5, {5, 5}, {5, 5}},
  };
  for (const auto& c : cases) {
    const OFL_zigzag z = ofl_break_line_corners(c.x1, c.y1, c.x2, c.y2);
    EXPECT_EQ(z.p, c.p) << "to " << OFL_point{c.x2, c.y2};
    EXPECT_EQ(z.q, c.q) << "to " << OFL_point{c.x2, c.y2};
  }
}

TEST(ArrowLine, HeadPointsTable) {
  struct {
    const char* what;
    int x1, y1, x2, y2, n;
    double a;
    OFL_point h1, h2;
  } const cases[] = {
      {"rightwards, horizontal", 0, 0, 10, 0, 5, 0.5, {6, -2}, {6, 2}},
      {"leftwards, horizontal", 10, 0, 0, 0, 5, 0.5, {4, -2}, {4, 2}},
      {"vertical, upwards", 0, 10, 0, 0, 5, 0.5, {-2, 4}, {2, 4}},
      {"vertical, downwards", 0, 0, 0, 10, 5, 0.5, {-2, 6}, {2, 6}},
      {"a point counts as upwards", 3, 3, 3, 3, 5, 0.5, {1, 7}, {5, 7}},
      {"rightwards, down", 0, 0, 10, 10, 10, 0.5, {1, 8}, {8, 1}},
      {"rightwards, up", 0, 10, 10, 0, 10, 0.5, {8, 9}, {1, 2}},
      {"leftwards, up", 10, 10, 0, 0, 10, 0.5, {9, 2}, {2, 9}},
      {"leftwards, down", 10, 0, 0, 10, 10, 0.5, {2, 1}, {9, 8}},
      {"shallow, -0.94 truncates to 0", 0, 0, 30, 10, 12, 0.4, {19, 10}, {21, 3}},
  };
  for (const auto& c : cases) {
    const OFL_arrow_head head = ofl_arrow_head_points(c.x1, c.y1, c.x2, c.y2, c.n, c.a);
    EXPECT_EQ(head.h1, c.h1) << c.what;
    EXPECT_EQ(head.h2, c.h2) << c.what;
  }
}

// The sector's apex is the end point and its middle runs back to the start: a 40-degree wedge
// pointing along the segment at its end, whatever the direction.
TEST(ArrowBound, SectorPointsAlongTheSegmentAtItsEnd) {
  const int segments[][4] = {{0, 0, 100, 0},    {100, 0, 0, 0},    {0, 0, 0, 100},
                             {0, 100, 0, 0},    {10, 20, 70, 100}, {70, 100, 10, 20},
                             {-40, 7, 33, -90}, {7, 9, 7, 9}};
  constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;
  for (const auto& g : segments) {
    const OFL_point end{g[2], g[3]};
    const OFL_sector s = ofl_arrowbound_sector(g[0], g[1], g[2], g[3]);
    const double length = std::hypot(g[2] - g[0], g[3] - g[1]);
    EXPECT_EQ(s.d, static_cast<int>(2 * length)) << end;
    EXPECT_NEAR(s.x + s.d / 2.0, g[2], 0.5) << end;
    EXPECT_NEAR(s.y + s.d / 2.0, g[3], 0.5) << end;
    EXPECT_NEAR(s.a2 - s.a1, 40.0, 1e-9) << end;
    // Screen y grows downwards while the angles grow counter-clockwise.
    const double middle = (s.a1 + s.a2) / 2 * kRadiansPerDegree;
    EXPECT_NEAR(g[2] + length * std::cos(middle), g[0], 0.01) << end;
    EXPECT_NEAR(g[3] - length * std::sin(middle), g[1], 0.01) << end;
  }
  EXPECT_DOUBLE_EQ(ofl_arrowbound_sector(0, 0, 100, 0).a1, 160.0);
}

}  // namespace
