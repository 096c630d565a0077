#pragma once

#include <cstdint>

#include "model/scenario_state.h"

namespace scenario {

// Where one route parse stands in filling the cells' gradients: the cells before
// `gradient_fill` hold theirs, and `current_gradient` is the value in force from there on.
struct GradientCursor {
  std::int32_t gradient_fill = 0;
  std::int32_t current_gradient = 0;
};

// A "pendenza" record: the value in force so far (plus 100, low 8 bits) goes into `gradient` of
// the cells from `gradient_fill` up to cell `position` / 50 (rounded, halves to even), then
// `value` is in force. When that cell is 0 or before, no cell is written. Otherwise at least the
// cell at `gradient_fill` is written, even when the cursor is already past the record's cell.
// Writes `gradient` of `cells`. Throws ReadFault for a cell outside `cells`.
void apply_gradient_record(ScenarioState& state, GradientCursor& cursor, std::int32_t position,
                           std::int32_t value);

// After the last record: the value in force goes into the cells from `gradient_fill` up to
// N - 3 (at least one cell), N being the last cell. Writes `gradient` of `cells`. Throws
// ReadFault when `cells` does not exist or the cursor lies outside it.
void fill_gradient_tail(ScenarioState& state, GradientCursor& cursor);

}  // namespace scenario
