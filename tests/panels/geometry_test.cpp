// Geometry of the drawing helpers, checked without a display.
#include <gtest/gtest.h>

#include <cmath>

#include "formspp/sheet_geometry.h"

namespace {

struct PointCase {
  const char* what;
  double x, y, x1, y1, x2, y2, tol;
  int expected;
};

const PointCase kPointCases[] = {
    {"horizontal, within tolerance", 5, 0.4, 0, 0, 10, 0, 0.5, 1},
    {"horizontal, distance equal to tolerance", 5, 0.4, 0, 0, 10, 0, 0.4, 0},
    {"horizontal, beyond the end", 11, 0, 0, 0, 10, 0, 1000, 0},
    {"horizontal, end included", 10, 0, 0, 0, 10, 0, 0.1, 1},
    {"horizontal, ends reversed", 3, -0.2, 10, 0, 0, 0, 0.5, 1},
    {"vertical, within tolerance", 0.3, 5, 0, 0, 0, 10, 0.5, 1},
    {"vertical, too far sideways", -0.6, 5, 0, 0, 0, 10, 0.5, 0},
    {"vertical, end included, ends reversed", 0, 10, 0, 10, 0, 0, 0.1, 1},
    {"vertical, past the end", 0, 10.01, 0, 0, 0, 10, 0.5, 0},
    {"vertical within 1e-10", 0.2, 5, 0, 0, 1e-11, 10, 0.5, 1},
    {"oblique, distance 0.141 below 0.2", 1, 1.2, 0, 0, 2, 2, 0.2, 1},
    {"oblique, distance 0.141 above 0.14", 1, 1.2, 0, 0, 2, 2, 0.14, 0},
    {"oblique, on the line past the end", 2.1, 2.1, 0, 0, 2, 2, 0.5, 0},
    {"oblique, near the line but outside the box", 2.05, 1.9, 0, 0, 2, 2, 0.5, 0},
    {"oblique, descending", 1, 1, 0, 2, 2, 0, 0.01, 1},
    {"point segment, the point", 3, 3, 3, 3, 3, 3, 0.1, 1},
    {"point segment, beside it", 3.05, 3, 3, 3, 3, 3, 0.1, 1},
    {"point segment, below it", 3, 3.05, 3, 3, 3, 3, 0.1, 0},
};

TEST(PointDansSegment, Table) {
  for (const PointCase& c : kPointCases) {
    EXPECT_EQ(point_dans_segment(c.x, c.y, c.x1, c.y1, c.x2, c.y2, c.tol), c.expected) << c.what;
  }
}

struct ZigzagCase {
  int x1, y1, x2, y2;
  OFL_point p, q;
};

const ZigzagCase kZigzagCases[] = {
    {0, 0, 8, 0, {2, 4}, {6, -4}},
    {0, 0, 0, 8, {-4, 2}, {4, 6}},
    {1, 1, -6, 2, {-1, -2}, {-3, 5}},  // negative quarters truncate towards zero
    {5, 5, 5, 5, {5, 5}, {5, 5}},
};

TEST(BreakLine, CornersTable) {
  for (const ZigzagCase& c : kZigzagCases) {
    const OFL_zigzag z = ofl_break_line_corners(c.x1, c.y1, c.x2, c.y2);
    const auto where = ::testing::Message() << c.x1 << "," << c.y1 << " to " << c.x2 << "," << c.y2;
    EXPECT_EQ(z.p.x, c.p.x) << where;
    EXPECT_EQ(z.p.y, c.p.y) << where;
    EXPECT_EQ(z.q.x, c.q.x) << where;
    EXPECT_EQ(z.q.y, c.q.y) << where;
  }
}

struct ArrowCase {
  const char* what;
  int x1, y1, x2, y2, n;
  double a;
  OFL_point h1, h2;
};

const ArrowCase kArrowCases[] = {
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

TEST(ArrowLine, HeadPointsTable) {
  for (const ArrowCase& c : kArrowCases) {
    const OFL_arrow_head head = ofl_arrow_head_points(c.x1, c.y1, c.x2, c.y2, c.n, c.a);
    EXPECT_EQ(head.h1.x, c.h1.x) << c.what;
    EXPECT_EQ(head.h1.y, c.h1.y) << c.what;
    EXPECT_EQ(head.h2.x, c.h2.x) << c.what;
    EXPECT_EQ(head.h2.y, c.h2.y) << c.what;
  }
}

TEST(ArrowBound, SectorOfAHorizontalSegment) {
  const OFL_sector s = ofl_arrowbound_sector(0, 0, 100, 0);
  EXPECT_EQ(s.x, 0);
  EXPECT_EQ(s.y, -100);
  EXPECT_EQ(s.d, 200);
  EXPECT_DOUBLE_EQ(s.a1, 160.0);
  EXPECT_DOUBLE_EQ(s.a2, 200.0);
}

// The sector's apex is the end point and its middle runs back to the start: the wedge points
// along the segment at its end, whatever the direction.
TEST(ArrowBound, SectorPointsAlongTheSegmentAtItsEnd) {
  const int segments[][4] = {{0, 0, 100, 0}, {100, 0, 0, 0},    {0, 0, 0, 100},
                             {0, 100, 0, 0}, {10, 20, 70, 100}, {70, 100, 10, 20},
                             {50, 0, 0, 30}, {-40, 7, 33, -90}};
  constexpr double kDegrees = 3.14159265358979323846 / 180.0;
  for (const auto& g : segments) {
    const auto where = ::testing::Message() << g[0] << "," << g[1] << " to " << g[2] << "," << g[3];
    const OFL_sector s = ofl_arrowbound_sector(g[0], g[1], g[2], g[3]);
    const double length = std::hypot(g[2] - g[0], g[3] - g[1]);
    EXPECT_EQ(s.d, static_cast<int>(2 * length)) << where;
    EXPECT_NEAR(s.x + s.d / 2.0, g[2], 0.5) << where;
    EXPECT_NEAR(s.y + s.d / 2.0, g[3], 0.5) << where;
    EXPECT_NEAR(s.a2 - s.a1, 40.0, 1e-9) << where;
    // Screen y grows downwards while the angles grow counter-clockwise.
    const double middle = (s.a1 + s.a2) / 2 * kDegrees;
    EXPECT_NEAR(g[2] + length * std::cos(middle), g[0], 0.01) << where;
    EXPECT_NEAR(g[3] - length * std::sin(middle), g[1], 0.01) << where;
  }
}

TEST(ArrowBound, PointSegmentGivesAnEmptySector) {
  const OFL_sector s = ofl_arrowbound_sector(7, 9, 7, 9);
  EXPECT_EQ(s.d, 0);
  EXPECT_EQ(s.x, 7);
  EXPECT_EQ(s.y, 9);
}

}  // namespace
