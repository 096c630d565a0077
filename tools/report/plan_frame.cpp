#include "plan_frame.h"

#include <algorithm>
#include <cmath>

namespace scenario::report {

std::vector<PlanPoint> plan_points(const LineProfile& profile) {
  std::vector<PlanPoint> points;
  const std::int64_t seed_end =
      std::min<std::int64_t>(LineProfile::kFirstComputed, std::int64_t{profile.last_row()} + 1);
  for (std::int64_t row = 0; row < seed_end; ++row) {
    if (profile.tag(row, 0) == ProfileTag::empty || profile.tag(row, 1) == ProfileTag::empty) {
      return points;
    }
    const ProfilePoint seed = profile.seed_point(row);
    points.push_back({seed.x, seed.y});
  }
  if (points.size() < static_cast<std::size_t>(LineProfile::kFirstComputed)) return points;
  points.reserve(static_cast<std::size_t>(profile.computed_end()));
  PlanRows rows(profile);
  while (rows.next_row() < profile.computed_end()) {
    const ProfilePoint point = rows.next();
    points.push_back({point.x, point.y});
  }
  return points;
}

std::optional<PlanExtent> extent_of(std::span<const PlanPoint> points) {
  if (points.empty()) return std::nullopt;
  PlanExtent box{points.front().x, points.front().x, points.front().y, points.front().y};
  for (const PlanPoint& p : points) {
    box.min_x = std::min(box.min_x, p.x);
    box.max_x = std::max(box.max_x, p.x);
    box.min_y = std::min(box.min_y, p.y);
    box.max_y = std::max(box.max_y, p.y);
  }
  return box;
}

MapFrame fit_plan(const PlanExtent& plan, double max_width, double max_height, double margin) {
  const double span_x = plan.max_x - plan.min_x;
  const double span_y = plan.max_y - plan.min_y;
  double scale = 1;
  if (span_x > 0 && span_y > 0) {
    scale = std::min(max_width / span_x, max_height / span_y);
  } else if (span_x > 0) {
    scale = max_width / span_x;
  } else if (span_y > 0) {
    scale = max_height / span_y;
  }
  MapFrame frame;
  frame.plan = plan;
  frame.scale = scale;
  frame.width = max_width + 2 * margin;
  frame.height = span_y * scale + 2 * margin;
  frame.left = margin + (max_width - span_x * scale) / 2;
  frame.top = margin;
  return frame;
}

double scale_bar_metres(double scale, double longest_pixels) {
  if (!(scale > 0) || !(longest_pixels > 0)) return 1;
  const double longest_metres = longest_pixels / scale;
  if (longest_metres < 1) return 1;
  double power = std::pow(10.0, std::floor(std::log10(longest_metres)));
  // log10 may land a hair off an exact power of ten; step back or forward once.
  if (power > longest_metres) power /= 10;
  if (power * 10 <= longest_metres) power *= 10;
  for (const double step : {5.0, 2.0, 1.0}) {
    if (step * power <= longest_metres) return step * power;
  }
  return power;
}

}  // namespace scenario::report
