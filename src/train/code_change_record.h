#pragma once

#include "model/scenario_state.h"
#include "parse/field_reader.h"
#include "parse/parse_context.h"
#include "train/record_exits.h"

namespace scenario {

// "abbattimento" record (position P, code value C): a hand-placed cab-signal code change at cell
// P / 50, a `code_change` carrying C when C is 1 or more, a `code_cut` otherwise.
// Reads `kind` of cells; writes `kind` and `value1` of the cell, error_code and error_position.
// Failures: 15 (P beyond or before the cells: the loop ends), 7 through the close-and-delete
// exit (the cell is occupied; nothing written).
RecordOutcome code_change_record(ScenarioState& state, const ParseContext& context,
                                 FieldReader& reader);

}  // namespace scenario
