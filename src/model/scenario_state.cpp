#include "model/scenario_state.h"

#include <stdexcept>
#include <string>

#include "model/error_meanings.h"

namespace scenario {

namespace {

void record(ScenarioState& state, FailureCode code, TextFile source, std::int32_t line) {
  state.failure.error_code = code;
  state.failure.source = source;
  state.failure.line = line;
  state.failure.detail = FailureDetail{};
}

void require_position(FailureCode code, bool given) {
  if (error_has_position(code) != given) {
    throw std::logic_error("failure " + std::to_string(code_number(code)) +
                           (given ? " carries no position" : " needs a position"));
  }
}

}  // namespace

void record_failure(ScenarioState& state, FailureCode code, std::int32_t position, TextFile source,
                    std::int32_t line) {
  require_position(code, true);
  state.failure.error_position = position;
  record(state, code, source, line);
}

void record_failure(ScenarioState& state, FailureCode code, TextFile source, std::int32_t line) {
  require_position(code, false);
  record(state, code, source, line);
}

}  // namespace scenario
