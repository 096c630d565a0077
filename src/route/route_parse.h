#pragma once

#include "model/scenario_state.h"
#include "route/parse_context.h"

namespace scenario {

enum class RouteOutcome { read_train, leave };

// The route half of the parse: reads and deletes the route text file, creating `cells` (and
// `line_profile` when profile_flag is not 0) and filling the route slots 81 to 86.
// Returns leave when a failure ends the whole parse, read_train otherwise (also after error 15).
// Throws ReadFault for the failure exit, which the caller turns into error 25.
RouteOutcome route_half(ScenarioState& state, ParseContext& context);

}  // namespace scenario
