#include "parse/cell_access.h"

#include <string>

#include "model/rounding.h"
#include "parse/read_fault.h"

namespace scenario {

std::int64_t cell_index(double quotient) {
  return static_cast<std::int64_t>(round_half_even(quotient));
}

bool record_outside_cells(const ScenarioState& state, std::int64_t position, std::int64_t margin) {
  if (!state.cells) throw ReadFault("a record before the route length", 0);
  return 50 * static_cast<std::int64_t>(state.cells->last_index()) < position + margin;
}

bool cell_outside(const ScenarioState& state, std::int64_t index) {
  if (!state.cells) throw ReadFault("a record before the route length", 0);
  return !state.cells->contains(index);
}

TrackCell& cell_at(ScenarioState& state, std::int64_t index) {
  if (!state.cells) throw ReadFault("a record before the route length", 0);
  if (!state.cells->contains(index)) {
    throw ReadFault("cell " + std::to_string(index) + " lies outside cells 0 to " +
                        std::to_string(state.cells->last_index()),
                    0);
  }
  return (*state.cells)[index];
}

LineProfile& profile_with_row(ScenarioState& state, std::int64_t row) {
  if (!state.line_profile || !state.line_profile->contains_row(row)) {
    throw ReadFault("row " + std::to_string(row) + " lies outside the line profile", 0);
  }
  return *state.line_profile;
}

}  // namespace scenario
