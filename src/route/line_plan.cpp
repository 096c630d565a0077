#include "route/line_plan.h"

#include "parse/cell_access.h"
#include "parse/keywords.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace scenario {

namespace {

constexpr std::int32_t kLastPlanRow = 1000000;

enum class RowLimit { checked, unchecked };

// Rows from `profile_row` while it is at most `last_row`, in one go as far as the plan allows:
// rows outside the profile throw ReadFault when their turn comes, and a checked run stops after
// row kLastPlanRow.
template <bool kTurning>
bool rows_through(ScenarioState& state, std::int32_t& profile_row, std::int64_t last_row, double k,
                  RowLimit limit) {
  while (profile_row <= last_row) {
    LineProfile& plan = profile_with_row(state, profile_row);
    if (profile_row != plan.computed_end()) {
      throw std::logic_error("the plan continues from row " + std::to_string(plan.computed_end()) +
                             ", not from row " + std::to_string(profile_row));
    }
    std::int64_t through = std::min<std::int64_t>(last_row, plan.last_row());
    if (limit == RowLimit::checked) {
      through = std::min(through, std::max<std::int64_t>(profile_row, kLastPlanRow));
    }
    if constexpr (kTurning) {
      plan.extend_turning(through, k);
    } else {
      plan.extend_straight(through);
    }
    profile_row = static_cast<std::int32_t>(through + 1);
    if (limit == RowLimit::checked && profile_row > kLastPlanRow) return false;
  }
  return true;
}

}  // namespace

void seed_line_plan(ScenarioState& state) {
  LineProfile& plan = profile_with_row(state, 1);
  plan.set_int16(0, 0, 0);
  plan.set_int16(0, 1, 0);
  plan.set_int16(1, 0, 0);
  plan.set_int16(1, 1, 1);
}

std::optional<double> curve_heading_change(std::string_view keyword) {
  static constexpr struct {
    std::string_view digit;
    double per_metre;
  } kClasses[] = {{"1", 0.0001}, {"2", 0.0002}, {"3", 0.0004},
                  {"4", 0.001},  {"5", 0.002},  {"6", 0.003}};
  for (const auto& curve_class : kClasses) {
    if (contains(keyword, curve_class.digit)) {
      return contains_ignoring_case(keyword, "s") ? -curve_class.per_metre : curve_class.per_metre;
    }
  }
  return std::nullopt;
}

bool straight_rows_through(ScenarioState& state, std::int32_t& profile_row, std::int64_t last_row) {
  return rows_through<false>(state, profile_row, last_row, 0.0, RowLimit::checked);
}

bool turning_rows_through(ScenarioState& state, std::int32_t& profile_row, std::int64_t last_row,
                          double k) {
  return rows_through<true>(state, profile_row, last_row, k, RowLimit::checked);
}

bool curve_passes_plan_end(const ScenarioState& state, std::int32_t position, std::int32_t length) {
  // Rows are computed one after the other, and the limit ends them after row kLastPlanRow: a
  // plan that reaches that row is never run past.
  return static_cast<std::int64_t>(position) + length > state.route_span &&
         state.route_span < kLastPlanRow;
}

void straight_rows_to_end(ScenarioState& state, std::int32_t& profile_row, std::int64_t last_row) {
  rows_through<false>(state, profile_row, last_row, 0.0, RowLimit::unchecked);
}

}  // namespace scenario
