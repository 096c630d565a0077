#pragma once

#include <cstdint>

#include "model/scenario_state.h"
#include "parse/parse_context.h"

namespace scenario {

// Records failure `code` of the route file at the line of the record being handled, with
// `position` (metres) or keeping the position recorded before.
void record_route_failure(ScenarioState& state, const ParseContext& context, std::int32_t code,
                          std::int32_t position);
void record_route_failure_keeping_position(ScenarioState& state, const ParseContext& context,
                                           std::int32_t code);

}  // namespace scenario
