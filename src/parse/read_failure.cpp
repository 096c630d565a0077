#include "parse/read_failure.h"

namespace scenario {

void record_read_failure(ScenarioState& state, const ParseContext& context, FailureCode code,
                         std::int32_t position) {
  record_failure(state, code, position, context.reading, context.record_line);
}

void record_read_failure(ScenarioState& state, const ParseContext& context, FailureCode code) {
  record_failure(state, code, context.reading, context.record_line);
}

}  // namespace scenario
