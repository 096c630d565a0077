#pragma once

#include <cstdint>

#include "model/failure_code.h"
#include "model/scenario_state.h"
#include "parse/parse_context.h"

namespace scenario {

// Records failure `code` of the record being handled: found in the file being read
// (context.reading) at the line its keyword field began (context.record_line). The first form
// is for the codes that carry a position, which becomes error_position; the second for the
// others. Writes the state's recorded failure.
void record_read_failure(ScenarioState& state, const ParseContext& context, FailureCode code,
                         std::int32_t position);
void record_read_failure(ScenarioState& state, const ParseContext& context, FailureCode code);

}  // namespace scenario
