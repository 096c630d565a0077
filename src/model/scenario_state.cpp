#include "model/scenario_state.h"

namespace scenario {

void record_failure(ScenarioState& state, std::int32_t code, std::int32_t position, TextFile source,
                    std::int32_t line) {
  state.error_position = position;
  record_failure_keeping_position(state, code, source, line);
}

void record_failure_keeping_position(ScenarioState& state, std::int32_t code, TextFile source,
                                     std::int32_t line) {
  state.error_code = code;
  state.error_source = source;
  state.error_line = line;
  state.error_detail.clear();
}

}  // namespace scenario
