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
// exactly. A negative position passes it: whether it reaches before cell 0 depends on the cells
// the record goes on to use (see cell_outside). Throws ReadFault when the cells do not exist yet.
bool record_outside_cells(const ScenarioState& state, std::int64_t position, std::int64_t margin);

// True when cell `index` lies outside the cells. A record whose own steps come to such a cell
// ends the record loop as a record beyond the cells does (code 15). Each handler asks at the step
// where it first uses that cell, so a record that fails earlier (an occupied cell, another code)
// keeps its own result. Throws ReadFault when the cells do not exist yet.
bool cell_outside(const ScenarioState& state, std::int64_t index);

// Cell `index` of the state's cells. Throws ReadFault when the cells do not exist yet or the
// index lies outside them, so that data pushing the parse out of its tables takes the failure
// exit instead of writing outside them.
TrackCell& cell_at(ScenarioState& state, std::int64_t index);

// The line profile, for the same reason: throws ReadFault when the row lies outside it or the
// profile does not exist.
LineProfile& profile_with_row(ScenarioState& state, std::int64_t row);

}  // namespace scenario
