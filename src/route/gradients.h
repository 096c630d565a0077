#pragma once

#include <cstdint>

#include "model/scenario_state.h"
#include "parse/fill_cursor.h"

namespace scenario {

// The gradients are laid with a FillCursor: `fill` is `gradient_fill`, the next cell whose
// `gradient` is still to be written, and `current` is `current_gradient`, the value in force.

// A "pendenza" record: the value in force so far (plus 100, low 8 bits) goes into `gradient` of
// the cells from the cursor up to cell `position` / 50 (rounded, halves to even), then
// `value` is in force. When that cell is 0 or before, no cell is written. Otherwise at least the
// cell at the cursor is written, even when the cursor is already past the record's cell.
// Writes `gradient` of `cells`. Throws ReadFault for a cell outside `cells`.
void apply_gradient_record(ScenarioState& state, FillCursor& cursor, std::int32_t position,
                           std::int32_t value);

// After the last record: the value in force goes into the cells from the cursor up to
// N - 3 (at least one cell), N being the last cell. Writes `gradient` of `cells`. Throws
// ReadFault when `cells` does not exist or the cursor lies outside it.
void fill_gradient_tail(ScenarioState& state, FillCursor& cursor);

}  // namespace scenario
