// Geometry of the drawing helpers, checked without a display: the cases of geometry.tsv.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
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
// Returns v with the given format: "%.17g" tells doubles apart, "%.2f" rounds (never to "-0.00").
std::string text(double v, const char* format = "%.17g") {
  char out[64];
  std::snprintf(out, sizeof out, format, std::fabs(v) < 1e-9 ? 0.0 : v);
  return out;
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
       {"arrow_head",
        [](const F& a) -> F {
          const OFL_arrow_head head =
              ofl_arrow_head_points(integer(a[0]), integer(a[1]), integer(a[2]), integer(a[3]),
                                    integer(a[4]), real(a[5]));
          return {point(head.h1), point(head.h2)};
        }},
       {"arrowbound_sector", [](const F& a) -> F {
          const int x1 = integer(a[0]), y1 = integer(a[1]), x2 = integer(a[2]), y2 = integer(a[3]);
          const OFL_sector s = ofl_arrowbound_sector(x1, y1, x2, y2);
          const double length = std::hypot(x2 - x1, y2 - y1);
          // Screen y grows downwards while the angles grow counter-clockwise.
          const double middle = (s.a1 + s.a2) / 2 * 3.14159265358979323846 / 180.0;
          return {std::to_string(s.d), text(s.x + s.d / 2.0) + " " + text(s.y + s.d / 2.0),
                  text(s.a1), text(s.a2 - s.a1),
                  text(x2 + length * std::cos(middle), "%.2f") + " " +
                      text(y2 - length * std::sin(middle), "%.2f")};
        }}});
}

}  // namespace
