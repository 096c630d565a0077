#include "route/gradients.h"

#include "model/rounding.h"
#include "parse/cell_access.h"
#include "parse/read_fault.h"

namespace scenario {

namespace {

void write_gradient_in_force(ScenarioState& state, FillCursor& cursor) {
  cell_at(state, cursor.fill).gradient = low_byte(static_cast<std::int64_t>(cursor.current) + 100);
  ++cursor.fill;
}

}  // namespace

void apply_gradient_record(ScenarioState& state, FillCursor& cursor, std::int32_t position,
                           std::int32_t value) {
  const std::int64_t n = cell_index(position / 50.0);
  if (n > 0) {
    do {
      write_gradient_in_force(state, cursor);
    } while (cursor.fill < n);
  }
  cursor.current = value;
}

void fill_gradient_tail(ScenarioState& state, FillCursor& cursor) {
  if (!state.cells) throw ReadFault("the route file gives no route length", 0);
  // The last two cells and the one before them keep 0 unless a record reached them.
  const std::int64_t stop = static_cast<std::int64_t>(state.cells->last_index()) - 2;
  do {
    write_gradient_in_force(state, cursor);
  } while (cursor.fill < stop);
}

}  // namespace scenario
