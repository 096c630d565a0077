#include "signalling/code_changes.h"

#include "signalling/code_change_steps.h"

namespace scenario {
namespace {

// Slowdowns at this speed or above get no code changes through them.
constexpr std::int16_t kSpacedBelowSpeed = 110;

}  // namespace

std::int32_t minimo(std::int32_t a, std::int32_t b) { return a > b ? b : a; }

void place_code_changes(ScenarioState& state) {
  if (!state.cells) return;
  // Fixed before the first visit; cells n - 1 and n are reached only by walks from a slowdown.
  const std::int32_t last_visit = state.cells->last_index() - 2;
  for (std::int32_t i = 1; i <= last_visit; ++i) {
    const TrackCell& visited = (*state.cells)[i];
    if (visited.kind == CellKind::slowdown_warning) {
      mark_signals_before_warning(state, i);
    } else if (visited.kind == CellKind::slowdown_start) {
      mark_approach_windows(state, i);
      // Only a slow slowdown is walked; a faster one, or a walk that met no end, has no end
      // cell to look beyond.
      if (visited.value1 >= kSpacedBelowSpeed) continue;
      if (const auto end = mark_spacing_through_slowdown(state, i)) {
        mark_signal_after_end(state, *end);
      }
    }
  }
}

}  // namespace scenario
