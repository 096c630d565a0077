#pragma once

#include <cstdint>

#include "model/scenario_state.h"

namespace scenario {

// The smaller of two values; the first when they are equal.
std::int32_t minimo(std::int32_t a, std::int32_t b);

// Adds the cab-signal code changes that signals and slowdowns imply, in one forward pass over
// `cells`, which must exist. Records errors 11, 12 and 13 in error_code and error_position.
void place_code_changes(ScenarioState& state);

}  // namespace scenario
