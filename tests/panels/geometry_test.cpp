// Geometry of the drawing helpers, checked without a display: the cases of geometry.tsv, and where
// the arrow-bound sector lies.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "case_table.h"
#include "formspp/sheet_geometry.h"

namespace {

using F = CaseFields;

int integer(const std::string& s) {
  return std::atoi(s.c_str());
}
double real(const std::string& s) {
  return std::strtod(s.c_str(), nullptr);
}
std::string point(OFL_point p) {
  return std::to_string(p.x) + " " + std::to_string(p.y);
}

TEST(Geometry, CasesOfTheTable) {
  expect_cases(
      PANELS_CASES_DIR "/geometry.tsv",
      {{"point_dans_segment",
        [](const F& a) -> F {
          return {std::to_string(point_dans_segment(real(a[0]), real(a[1]), real(a[2]), real(a[3]),
                                                    real(a[4]), real(a[5]), real(a[6])))};
        }},
       {"break_line",
        [](const F& a) -> F {
          const OFL_zigzag z =
              ofl_break_line_corners(integer(a[0]), integer(a[1]), integer(a[2]), integer(a[3]));
          return {point(z.p), point(z.q)};
        }},
       {"arrow_head", [](const F& a) -> F {
          const OFL_arrow_head head =
              ofl_arrow_head_points(integer(a[0]), integer(a[1]), integer(a[2]), integer(a[3]),
                                    integer(a[4]), real(a[5]));
          return {point(head.h1), point(head.h2)};
        }}});
}

// The sector's apex is the end point and its middle runs back to the start: a 40-degree wedge
// pointing along the segment at its end, whatever the direction.
TEST(Geometry, ArrowBoundSectorPointsAlongTheSegmentAtItsEnd) {
  const int segments[][4] = {{0, 0, 100, 0},    {100, 0, 0, 0},    {0, 0, 0, 100},
                             {0, 100, 0, 0},    {10, 20, 70, 100}, {70, 100, 10, 20},
                             {-40, 7, 33, -90}, {7, 9, 7, 9}};
  constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;
  for (const auto& g : segments) {
    SCOPED_TRACE(point({g[2], g[3]}));
    const OFL_sector s = ofl_arrowbound_sector(g[0], g[1], g[2], g[3]);
    const double length = std::hypot(g[2] - g[0], g[3] - g[1]);
    EXPECT_EQ(s.d, static_cast<int>(2 * length));
    EXPECT_NEAR(s.x + s.d / 2.0, g[2], 0.5);
    EXPECT_NEAR(s.y + s.d / 2.0, g[3], 0.5);
    EXPECT_NEAR(s.a2 - s.a1, 40.0, 1e-9);
    // Screen y grows downwards while the angles grow counter-clockwise.
    const double middle = (s.a1 + s.a2) / 2 * kRadiansPerDegree;
    EXPECT_NEAR(g[2] + length * std::cos(middle), g[0], 0.01);
    EXPECT_NEAR(g[3] - length * std::sin(middle), g[1], 0.01);
  }
  EXPECT_DOUBLE_EQ(ofl_arrowbound_sector(0, 0, 100, 0).a1, 160.0);
}

}  // namespace
