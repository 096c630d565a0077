#pragma once

#include <cstdint>

#include "model/scenario_state.h"
#include "parse/field_reader.h"
#include "parse/parse_context.h"
#include "train/record_exits.h"

namespace scenario {

// "stazione" record: stores the station in slot `station_counter` of the scenario table (every
// field of the slot as read, its extent in `zone_start` and `zone_end`), places its
// `station_stop` cell and approach marks, and moves `station_counter` on.
//
// Reads `cells`, the previous station's slot and context.next_board_slot. Writes the station's
// `SimSlot`, `kind`, `value1` and `marker` of cells, error_code and error_position.
// Failures: 15 (position beyond or before the cells: the loop ends; the rest of the record is
// not read), and through the close-and-delete exit 8 (position not a multiple of 50), 9 (length
// not a multiple of 100), 24 (stop cell at index 1 or below), 22 (less than 350 m after the
// previous station's extent), 10 (the stations reach the direction-board slots). Throws
// ReadFault for a field that does not fit, a cell beyond the last one, or an extent or time that
// does not fit 32 bits.
RecordOutcome station_record(ScenarioState& state, const ParseContext& context, FieldReader& reader,
                             std::int32_t& station_counter);

}  // namespace scenario
