#include "formspp/sheet_geometry.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Returns n * f truncated towards zero, the way every offset of an arrow head is rounded.
int scaled(int n, double f) {
  return static_cast<int>(n * f);
}

bool between(double v, double a, double b) {
  return std::min(a, b) <= v && v <= std::max(a, b);
}

}  // namespace

OFL_zigzag ofl_break_line_corners(int x1, int y1, int x2, int y2) {
  const OFL_point p{(3 * x1 + 2 * (y1 - y2) + x2) / 4, (3 * y1 + 2 * (x2 - x1) + y2) / 4};
  const OFL_point q{(3 * x2 + 2 * (y2 - y1) + x1) / 4, (3 * y2 + 2 * (x1 - x2) + y1) / 4};
  return {p, q};
}

OFL_arrow_head ofl_arrow_head_points(int x1, int y1, int x2, int y2, int n, double a) {
  if (x2 == x1) {
    // The head points back up or down towards (x1, y1).
    const int along = y1 >= y2 ? scaled(n, std::cos(a)) : -scaled(n, std::cos(a));
    const int across = scaled(n, std::sin(a));
    return {{x2 - across, y2 + along}, {x2 + across, y2 + along}};
  }
  // Going back towards (x1, y1) means adding the head's offsets when x1 lies to the right.
  const int back = x1 > x2 ? 1 : -1;
  if (y1 == y2) {
    const int along = back * scaled(n, std::cos(a));
    const int across = scaled(n, std::sin(a));
    return {{x2 + along, y2 - across}, {x2 + along, y2 + across}};
  }
  const double t = std::atan(static_cast<double>(y2 - y1) / static_cast<double>(x2 - x1));
  return {{x2 + back * scaled(n, std::cos(t - a)), y2 + back * scaled(n, std::sin(t - a))},
          {x2 + back * scaled(n, std::cos(t + a)), y2 + back * scaled(n, std::sin(t + a))}};
}

OFL_sector ofl_arrowbound_sector(int x1, int y1, int x2, int y2) {
  const double dx = static_cast<double>(x2) - x1;
  const double dy = static_cast<double>(y2) - y1;
  const double length = std::sqrt(dx * dx + dy * dy);
  const auto theta = static_cast<float>(std::atan2(dy, dx) * 180.0 / kPi);
  const int d = static_cast<int>(2.0 * length);
  // Centring the square on the end point puts the sector's apex there; 180 - theta, the middle of
  // the sector, is the direction from (x2, y2) back to (x1, y1) once y is taken upwards.
  return {x2 - d / 2, y2 - d / 2, d, 160.0 - theta, 200.0 - theta};
}

int point_dans_segment(double x, double y, double x1, double y1, double x2, double y2, double tol) {
  constexpr double kEpsilon = 1e-10;
  const double dx = x1 - x2;
  const double dy = y1 - y2;
  if (std::fabs(dx) <= kEpsilon) return between(y, y1, y2) && std::fabs(x - x1) < tol ? 1 : 0;
  if (std::fabs(dy) <= kEpsilon) return between(x, x1, x2) && std::fabs(y - y1) < tol ? 1 : 0;
  if (!between(x, x1, x2) || !between(y, y1, y2)) return 0;
  const double length = std::sqrt(dx * dx + dy * dy);
  if (length <= kEpsilon) return 0;
  return std::fabs(((x - x1) * dy - (y - y1) * dx) / length) < tol ? 1 : 0;
}
