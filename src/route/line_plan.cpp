#include "route/line_plan.h"

#include "parse/cell_access.h"
#include "parse/keywords.h"

namespace scenario {

namespace {

constexpr std::int32_t kLastPlanRow = 1000000;

enum class RowLimit { checked, unchecked };

struct Point {
  double x;
  double y;
};

// Row r from rows r - 1 and r - 2: a straight row repeats their step, a turning row turns it.
// The two formulas are kept apart so that a straight row adds the step exactly as it is.
template <bool kTurning>
void compute_row(LineProfile& plan, std::int64_t r, double k) {
  const Point before{plan.value(r - 1, 0), plan.value(r - 1, 1)};
  const double dx = before.x - plan.value(r - 2, 0);
  const double dy = before.y - plan.value(r - 2, 1);
  if constexpr (kTurning) {
    plan.set_real(r, 0, before.x + (dx + k * dy));
    plan.set_real(r, 1, before.y + (dy - k * dx));
  } else {
    plan.set_real(r, 0, before.x + dx);
    plan.set_real(r, 1, before.y + dy);
  }
}

template <bool kTurning>
bool rows_through(ScenarioState& state, std::int32_t& profile_row, std::int64_t last_row, double k,
                  RowLimit limit) {
  while (profile_row <= last_row) {
    compute_row<kTurning>(profile_with_row(state, profile_row), profile_row, k);
    ++profile_row;
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

void straight_rows_to_end(ScenarioState& state, std::int32_t& profile_row, std::int64_t last_row) {
  rows_through<false>(state, profile_row, last_row, 0.0, RowLimit::unchecked);
}

}  // namespace scenario
