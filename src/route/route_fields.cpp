#include "route/route_fields.h"

namespace scenario {

std::string read_keyword_field(ScenarioState& state, ParseContext& context, FieldReader& reader) {
  state.text_line = reader.read_text();
  context.record_line = reader.line();
  return state.text_line;
}

void record_route_failure(ScenarioState& state, const ParseContext& context, std::int32_t code,
                          std::int32_t position) {
  record_failure(state, code, position, ErrorSource::route_file, context.record_line);
}

void record_route_failure_keeping_position(ScenarioState& state, const ParseContext& context,
                                           std::int32_t code) {
  record_failure_keeping_position(state, code, ErrorSource::route_file, context.record_line);
}

}  // namespace scenario
