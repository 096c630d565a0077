#include "route/direction_boards.h"

#include "model/rounding.h"
#include "parse/cell_access.h"
#include "parse/read_failure.h"
#include "parse/read_fault.h"

namespace scenario {

bool store_direction_board(ScenarioState& state, ParseContext& context, std::int32_t position,
                           const std::string& text) {
  TrackCell& cell = cell_at(state, cell_index(position / 50.0 + 1));
  if (!cell.is_free()) {
    record_read_failure(state, context, FailureCode::direction_board_on_taken_cell, position);
    return false;
  }
  // Slot 0 is never used, so the texts have slots 80 down to 1 at most.
  if (context.next_board_slot < 1) {
    throw ReadFault("no scenario-table slot is left for another direction board", 0);
  }
  cell.kind = CellKind::direction_board;
  cell.value1 = low_16(context.next_board_slot);
  state.sim_table[context.next_board_slot].name = text;
  --context.next_board_slot;
  return true;
}

}  // namespace scenario
