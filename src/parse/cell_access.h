#pragma once

#include <cstdint>

#include "model/line_profile.h"
#include "model/scenario_state.h"
#include "model/track_cell.h"

namespace scenario {

// Cell index of a quotient in metres / 50 (plus or minus the record's constant), rounded to the
// nearest integer with halves to even. Defined for any quotient a 32-bit position can give.
std::int64_t cell_index(double quotient);

// Margins of the bound test: most records need room for two cells after their position, a
// station for its whole approach.
inline constexpr std::int64_t kRecordMargin = 100;
inline constexpr std::int64_t kStationMargin = 800;

// The bound test of the records: true when N < (position + margin) / 50, the quotient taken
// exactly, and also for a negative position, which would reach before cell 0. Throws ReadFault
// when the cells do not exist yet.
bool record_outside_cells(const ScenarioState& state, std::int64_t position, std::int64_t margin);

// Cell `index` of the state's cells. Throws ReadFault when the cells do not exist yet or the
// index lies outside them, so that data pushing the parse out of its tables takes the failure
// exit instead of writing outside them.
TrackCell& cell_at(ScenarioState& state, std::int64_t index);

// The line profile, for the same reason: throws ReadFault when the row lies outside it or the
// profile does not exist.
LineProfile& profile_with_row(ScenarioState& state, std::int64_t row);

}  // namespace scenario
