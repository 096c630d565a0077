#pragma once

#include "model/scenario_state.h"
#include "route/parse_context.h"

namespace scenario {

// The train half of the parse: reads and deletes the train text file, filling the train's
// general slots, the station slots and the cells. Throws ReadFault for the failure exit.
void train_half(ScenarioState& state, ParseContext& context);

}  // namespace scenario
