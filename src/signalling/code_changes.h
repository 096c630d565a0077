#pragma once

#include <cstdint>

#include "model/scenario_state.h"

namespace scenario {

// The smaller of two values; the first when they are equal.
std::int32_t minimo(std::int32_t a, std::int32_t b);

// Adds the cab-signal code changes (value 180) that signals and slowdowns imply, in one forward
// pass over cells 1 to n - 2 of `cells`: before every signal within 20 cells before a slowdown
// warning, in three windows before every slowdown start, every 8 cells through every slowdown
// slower than 110 and before the first signal within 12 cells after such a slowdown's end.
// Reads and writes `kind` and `value1` of cells 1 to n only; does nothing when `cells` does not
// exist. Records 11, 12 and 13 in error_code and error_position (cell index * 50), each
// overwriting the one before, and always runs to the end.
void place_code_changes(ScenarioState& state);

}  // namespace scenario
