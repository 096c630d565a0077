#pragma once

#include <cstdint>

#include "model/scenario_state.h"
#include "parse/field_reader.h"
#include "parse/fill_cursor.h"
#include "parse/parse_context.h"
#include "train/record_exits.h"

namespace scenario {

// Speed limit and adhesion are laid with a FillCursor each: `fill` is `speed_fill` or
// `adhesion_fill`, `current` is `current_speed` or `current_adhesion`.

// "velocita" record (start P, speed V): fills `speed_limit` (the speed in force divided by 5)
// from `speed.fill` up to the cell before P / 50, then puts V in force. Reads `cells`; writes
// `speed_limit` of cells, and error_code, error_position for error 15 (P beyond or before the
// cells), which ends the record loop. Throws ReadFault for a speed whose fifth is not a byte.
RecordOutcome speed_record(ScenarioState& state, const ParseContext& context, FieldReader& reader,
                           FillCursor& speed);

// "aderenza" record (start P, adhesion A): the same with `adhesion`, which keeps the low 8 bits
// of the value in force. Can record error 15.
RecordOutcome adhesion_record(ScenarioState& state, const ParseContext& context,
                              FieldReader& reader, FillCursor& adhesion);

// After the record loop: the value in force runs on from the fill cell to cell N - 3, writing at
// least one cell. Write `speed_limit` or `adhesion` of cells; the speed tail throws ReadFault for
// a speed whose fifth is not a byte.
void speed_tail(ScenarioState& state, const ParseContext& context, FillCursor& speed);
void adhesion_tail(ScenarioState& state, const ParseContext& context, FillCursor& adhesion);

}  // namespace scenario
