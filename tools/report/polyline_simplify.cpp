#include "polyline_simplify.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace scenario::report {

double distance_to_segment(PixelPoint p, PixelPoint a, PixelPoint b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  double t = 0;
  if (length2 > 0) t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0);
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

std::vector<std::size_t> simplify_polyline(std::span<const PixelPoint> line, double tolerance) {
  std::vector<std::size_t> kept;
  if (line.empty()) return kept;
  if (line.size() == 1) return {0};

  std::vector<bool> keep(line.size(), false);
  keep.front() = true;
  keep.back() = true;
  std::vector<std::pair<std::size_t, std::size_t>> pending{{0, line.size() - 1}};
  while (!pending.empty()) {
    const auto [first, last] = pending.back();
    pending.pop_back();
    double farthest = -1;
    std::size_t at = first;
    for (std::size_t i = first + 1; i < last; ++i) {
      const double d = distance_to_segment(line[i], line[first], line[last]);
      if (d > farthest) {
        farthest = d;
        at = i;
      }
    }
    if (farthest > tolerance) {
      keep[at] = true;
      pending.emplace_back(first, at);
      pending.emplace_back(at, last);
    }
  }
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (keep[i]) kept.push_back(i);
  }
  return kept;
}

}  // namespace scenario::report
