#include "plan_curves.h"

#include <cmath>
#include <cstddef>

namespace scenario::report {

namespace {

constexpr double kStraightBelow = 0.00005;
constexpr double kSameRate = 0.01;

double turn_at(std::span<const PlanPoint> plan, std::size_t row) {
  const double dx = plan[row - 1].x - plan[row - 2].x;
  const double dy = plan[row - 1].y - plan[row - 2].y;
  const double ex = plan[row].x - plan[row - 1].x;
  const double ey = plan[row].y - plan[row - 1].y;
  const double dot = dx * dx + dy * dy;
  if (!(dot > 0)) return 0;
  const double turn = -(dx * ey - dy * ex) / dot;
  return std::fabs(turn) < kStraightBelow ? 0 : turn;
}

bool same_curve(double a, double b) {
  return (a < 0) == (b < 0) && std::fabs(a - b) <= kSameRate * std::fabs(a);
}

}  // namespace

std::vector<PlanCurve> find_curves(std::span<const PlanPoint> plan) {
  std::vector<PlanCurve> curves;
  bool in_curve = false;
  for (std::size_t row = 2; row < plan.size(); ++row) {
    const double turn = turn_at(plan, row);
    const auto metre = static_cast<std::int32_t>(row);
    if (turn == 0) {
      in_curve = false;
      continue;
    }
    if (in_curve && same_curve(curves.back().turn, turn)) {
      curves.back().to_m = metre;
      continue;
    }
    curves.push_back({metre - 1, metre, turn});
    in_curve = true;
  }
  return curves;
}

}  // namespace scenario::report
