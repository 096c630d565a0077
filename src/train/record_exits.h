#pragma once

#include <cstdint>

#include "model/scenario_state.h"
#include "parse/parse_context.h"
#include "parse/record_outcome.h"

namespace scenario {

// A train record handler returns go_on, part_ends (a record beyond the cells, error 15: the
// record loop ends, the tails still run) or leave (the close-and-delete exit was taken: the
// train file is gone and the train half is over).

// N, the last cell index. Throws ReadFault when the cells do not exist.
std::int32_t last_cell(const ScenarioState& state);

// Records error 15 at `position` for the record being handled and ends the record loop.
// Writes the recorded failure.
RecordOutcome leave_beyond_cells(ScenarioState& state, const ParseContext& context,
                                 std::int32_t position);

// The close-and-delete exit: deletes the train text file and records `code`, at `position` for a
// code that carries one, else leaving error_position alone. Writes the recorded failure.
RecordOutcome close_and_delete(ScenarioState& state, const ParseContext& context, FailureCode code,
                               std::int32_t position);
RecordOutcome close_and_delete(ScenarioState& state, const ParseContext& context, FailureCode code);

// Deletes the train text file; a file already gone is passed over. Throws ReadFault when it
// cannot be deleted.
void delete_train_file(const ParseContext& context);

}  // namespace scenario
