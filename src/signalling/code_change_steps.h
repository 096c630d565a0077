#pragma once

#include <cstdint>
#include <optional>

#include "model/scenario_state.h"

namespace scenario {

// The four steps of the code-change pass, each for one visited cell i of `cells` (which must
// exist, with 1 <= i <= n - 2). Every step reads and writes only `kind` and `value1` of the cells
// between 1 and n, and records its failures in error_code and error_position (cell index * 50).

// For a slowdown warning at i: every signal among the 20 cells before it (down to cell 3) gets a
// 180 code change on one of the two cells before it, or an existing code change there is capped
// to 180. Records 11 at the signal when neither cell can take one.
void mark_signals_before_warning(ScenarioState& state, std::int32_t i);

// For a slowdown start at i: a code change in each of the three approach windows before it that
// fits inside the line. Records 12 at the start for each window with no free cell.
void mark_approach_windows(ScenarioState& state, std::int32_t i);

// For a slowdown start at i: a code change every 8 cells from the start through to its end.
// Records 13 at the walk cell when none of the three candidate cells is free; no further code
// change is placed in that slowdown. Returns the end cell, or nothing when the walk reached the
// last cell without meeting one.
std::optional<std::int32_t> mark_spacing_through_slowdown(ScenarioState& state, std::int32_t i);

// For a slowdown end at j: a code change just before the first signal within the 12 cells after
// it. Records 13 at the end when neither of the two cells before that signal is free.
void mark_signal_after_end(ScenarioState& state, std::int32_t j);

}  // namespace scenario
