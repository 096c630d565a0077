#pragma once

#include <string>

#include "model/scenario_state.h"
#include "route/field_reader.h"
#include "route/parse_context.h"

namespace scenario {

// Reads the next field of the route file as a keyword field: it becomes `text_line`, and its line
// becomes the record line that failures found while handling it are reported with.
// Throws ReadFault when no byte is left.
std::string read_keyword_field(ScenarioState& state, ParseContext& context, FieldReader& reader);

// Records failure `code` of the route file at the line of the record being handled, with
// `position` (metres) or keeping the position recorded before.
void record_route_failure(ScenarioState& state, const ParseContext& context, std::int32_t code,
                          std::int32_t position);
void record_route_failure_keeping_position(ScenarioState& state, const ParseContext& context,
                                           std::int32_t code);

}  // namespace scenario
