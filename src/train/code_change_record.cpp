#include "train/code_change_record.h"

#include "model/rounding.h"
#include "parse/cell_access.h"

namespace scenario {

RecordOutcome code_change_record(ScenarioState& state, const ParseContext& context,
                                 FieldReader& reader) {
  const std::int32_t position = reader.read_i32();
  const std::int32_t code = reader.read_i32();
  const std::int64_t c = cell_index(position / 50.0);
  if (record_outside_cells(state, position, kRecordMargin) || cell_outside(state, c)) {
    return leave_beyond_cells(state, context, position);
  }
  TrackCell& cell = cell_at(state, c);
  if (!cell.is_free())
    return close_and_delete(state, context, FailureCode::code_change_on_taken_cell, position);
  if (code < 1) {
    cell.kind = CellKind::code_cut;
  } else {
    cell.kind = CellKind::code_change;
    cell.value1 = low_16(code);
  }
  return RecordOutcome::go_on;
}

}  // namespace scenario
