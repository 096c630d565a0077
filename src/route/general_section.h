#pragma once

#include "model/scenario_state.h"
#include "parse/field_reader.h"
#include "parse/parse_context.h"
#include "parse/record_outcome.h"

namespace scenario {

// Skips every field up to and including the first one holding "[generale]" (letter case
// ignored). Writes `text_line`. Records 102 (and returns leave) when the end of the file comes
// first, also when the "[generale]" field is the last one. Throws ReadFault on an empty file.
RecordOutcome skip_preamble(ScenarioState& state, ParseContext& context, FieldReader& reader);

// Reads the general section up to and including its closing section head, or to the end of the
// file. Writes `text_line`, slot 84 `zone_end`, slots 81 to 83 as read, slot 85 `zone_start`,
// `zone_end`, `position`, slot 86 `zone_start`, `zone_end`, `position`, `route_span`, `cells` and
// (when `profile_flag` is not 0) `line_profile`. Records 1 (route length negative or above
// 1000000, not stored), 3, 4 or 5 (cab-signal stretch) and returns leave; otherwise go_on.
// Throws ReadFault for a field that is not a number or a read past the end.
RecordOutcome read_general_section(ScenarioState& state, ParseContext& context,
                                   FieldReader& reader);

}  // namespace scenario
