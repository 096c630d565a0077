#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "plan_frame.h"

namespace scenario::report {

// A stretch of the plan that turns at one rate: from metre `from_m` (where the line still ran
// straight or at another rate) to metre `to_m`. `turn` is the heading change per metre the
// compile applied, negative to the left; its reciprocal is the radius.
struct PlanCurve {
  std::int32_t from_m = 0;
  std::int32_t to_m = 0;
  double turn = 0;
};

// The curves of the plan, read back from its points. Each row from 2 on was stepped from the two
// before it, the step turned by a rate k (0 on a straight): for the previous step d and the new
// step e, k = -(d × e) / (d · d). Rows whose rate is within 1 % of the row before's, and on the
// same side, belong to one curve; a rate below half the gentlest class (0.0001 per metre) is a
// straight, whatever rounding left in it. Two curves of the same class and side that follow
// each other without a straight are one curve on the plan, and are found as one.
std::vector<PlanCurve> find_curves(std::span<const PlanPoint> plan);

}  // namespace scenario::report
