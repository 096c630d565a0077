#include "train/record_exits.h"

#include "parse/cell_access.h"
#include "parse/read_failure.h"
#include "parse/read_fault.h"
#include "parse/text_files.h"

namespace scenario {

std::int32_t last_cell(const ScenarioState& state) {
  if (!state.cells) throw ReadFault("train data before the route length", 0);
  return state.cells->last_index();
}

RecordOutcome leave_beyond_cells(ScenarioState& state, const ParseContext& context,
                                 std::int32_t position) {
  record_read_failure(state, context, FailureCode::record_beyond_cells, position);
  return RecordOutcome::part_ends;
}

void delete_train_file(const ParseContext& context) {
  // The reader took the whole file at opening, so nothing holds it open any more.
  remove_text_file_or_fault(*context.folder, context.train_name);
}

RecordOutcome close_and_delete(ScenarioState& state, const ParseContext& context, FailureCode code,
                               std::int32_t position) {
  delete_train_file(context);
  record_read_failure(state, context, code, position);
  return RecordOutcome::leave;
}

RecordOutcome close_and_delete(ScenarioState& state, const ParseContext& context,
                               FailureCode code) {
  delete_train_file(context);
  record_read_failure(state, context, code);
  return RecordOutcome::leave;
}

}  // namespace scenario
