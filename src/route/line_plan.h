#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "model/scenario_state.h"

namespace scenario {

// The first row the plan computes; rows 0 and 1 are the seed.
inline constexpr std::int32_t kFirstComputedRow = 2;

// Seeds the plan: row 0 = (0, 0) and row 1 = (0, 1) as 16-bit integers, so the line starts at
// the origin heading along +y. Writes `line_profile`; throws ReadFault when it does not exist.
void seed_line_plan(ScenarioState& state);

// The heading change per metre of a curve keyword field: its class is the first of the digits
// "1" to "6" it holds (0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003), negative (a left curve)
// when it holds an "s" of either case. Nothing when it holds no class digit.
std::optional<double> curve_heading_change(std::string_view keyword);

// Computes plan rows from `profile_row` while it is at most `last_row`, each continuing the step
// of the two rows before it: straight, or turned by `k` per metre (a first-order rotation, not
// renormalised). `profile_row` grows by one per row. Writes `line_profile` (the runs of rows it
// computes again when it is written); throws ReadFault for a row outside it. The checked forms
// return false, leaving at once, when `profile_row` passes 1000000 after a row.
bool straight_rows_through(ScenarioState& state, std::int32_t& profile_row, std::int64_t last_row);
bool turning_rows_through(ScenarioState& state, std::int32_t& profile_row, std::int64_t last_row,
                          double k);
// True when a curve's rows, through `position` + `length`, would come to a row past the plan's
// last row (`route_span`) before the row limit of the checked forms ends them. Reads
// `route_span`.
bool curve_passes_plan_end(const ScenarioState& state, std::int32_t position, std::int32_t length);

// The tail of the plan, which has no row limit.
void straight_rows_to_end(ScenarioState& state, std::int32_t& profile_row, std::int64_t last_row);

}  // namespace scenario
