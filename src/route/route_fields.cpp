#include "route/route_fields.h"

namespace scenario {

void record_route_failure(ScenarioState& state, const ParseContext& context, std::int32_t code,
                          std::int32_t position) {
  record_failure(state, code, position, TextFile::route, context.record_line);
}

void record_route_failure_keeping_position(ScenarioState& state, const ParseContext& context,
                                           std::int32_t code) {
  record_failure_keeping_position(state, code, TextFile::route, context.record_line);
}

}  // namespace scenario
