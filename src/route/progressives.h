#pragma once

#include "model/scenario_state.h"

namespace scenario {

// Orders the three kilometre-progressive entries of slots 81 ("tre"), 82 ("due") and 83 ("uno"),
// each (`zone_start` = key, `zone_end`, `position` = flag), then adds 100 to the second value of
// every slot whose flag is 1. With keys that do not sum to 0, slot 81 ends with the entry of the
// strictly largest key and slot 83 with the smallest; without a strictly largest key all three
// slots are cleared. With keys summing to 0, the last of "tre", "due", "uno" whose second value
// is positive is moved to slot 81 (see the body), and none at all clears the slots.
// Reads and writes `sim_table` slots 81 to 83 only; never fails.
void progressive_ordina(ScenarioState& state);

}  // namespace scenario
