#include "signalling/code_change_steps.h"

#include <algorithm>
#include <array>

#include "model/rounding.h"
#include "signalling/code_changes.h"

namespace scenario {
namespace {

constexpr std::int16_t kCodeValue = 180;
constexpr std::int32_t kWarningLookBack = 20;    // cells before a warning point that are searched
constexpr std::int32_t kLowestLookBackCell = 3;  // keeps s - 2 at cell 1 or beyond
constexpr std::int32_t kSpacing = 8;             // one code change every 400 m
constexpr std::int32_t kSignalSearchAfterEnd = 12;

// The position in metres reported with a failure at cell i. A line long enough for this not to
// fit 32 bits keeps the low 32 bits, as the other stored values do.
std::int32_t cell_position(std::int32_t i) {
  const std::int64_t metres = static_cast<std::int64_t>(i) * 50;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(metres & 0xFFFFFFFF));
}

TrackCell& cell(ScenarioState& state, std::int32_t i) { return (*state.cells)[i]; }

bool is(ScenarioState& state, std::int32_t i, CellKind kind) { return cell(state, i).kind == kind; }

void place_code_change(TrackCell& target) {
  target.kind = CellKind::code_change;
  target.value1 = kCodeValue;
}

// A code change already there keeps the lower of its value and 180.
void cap_code_change(TrackCell& target) {
  target.value1 = low_16(minimo(kCodeValue, target.value1));
}

// Places a code change on the first free cell of `candidates`; false when none is free.
template <std::size_t N>
bool place_on_first_free(ScenarioState& state, const std::array<std::int32_t, N>& candidates) {
  for (const std::int32_t c : candidates) {
    if (cell(state, c).is_free()) {
      place_code_change(cell(state, c));
      return true;
    }
  }
  return false;
}

// The signal at s asks for a code change on s - 1 or s - 2. A free cell is preferred to an
// existing code change, which is capped only when neither cell is free.
void mark_before_signal(ScenarioState& state, std::int32_t s) {
  if (place_on_first_free(state, std::array{s - 1, s - 2})) return;
  for (const std::int32_t c : {s - 1, s - 2}) {
    if (is(state, c, CellKind::code_change)) {
      cap_code_change(cell(state, c));
      return;
    }
  }
  record_failure(state, FailureCode::no_cell_before_signal, cell_position(s));
}

}  // namespace

void mark_signals_before_warning(ScenarioState& state, std::int32_t i) {
  for (std::int32_t a = 1; a <= kWarningLookBack && i - a >= kLowestLookBackCell; ++a) {
    const std::int32_t s = i - a;
    if (is(state, s, CellKind::signal)) mark_before_signal(state, s);
  }
}

void mark_approach_windows(ScenarioState& state, std::int32_t i) {
  // Each window is {nearest, middle, farthest} cells back from the start; it is tried only when
  // its farthest cell lies beyond cell 0.
  constexpr std::array<std::array<std::int32_t, 3>, 3> kWindows{
      {{5, 6, 7}, {11, 12, 13}, {18, 19, 20}}};
  for (const auto& back : kWindows) {
    if (i <= back[2]) continue;
    if (!place_on_first_free(state, std::array{i - back[0], i - back[1], i - back[2]})) {
      record_failure(state, FailureCode::no_cell_in_approach_window, cell_position(i));
    }
  }
}

std::optional<std::int32_t> mark_spacing_through_slowdown(ScenarioState& state, std::int32_t i) {
  const std::int32_t last = state.cells->last_index();
  // c counts the cells since the last code change. After a failure it only grows beyond 8, so the
  // rest of the slowdown gets none.
  std::int32_t c = 0;
  std::int32_t j = i;
  while (j < last) {
    ++j;
    ++c;
    if (c == kSpacing) {
      if (cell(state, j).is_free()) {
        place_code_change(cell(state, j));
        c = 0;
      } else if (cell(state, j - 1).is_free()) {
        place_code_change(cell(state, j - 1));
        c = 1;
      } else if (j + 1 <= last && cell(state, j + 1).is_free()) {
        // The next step lands on this code change, which then counts as 0.
        place_code_change(cell(state, j + 1));
        c = -1;
      } else {
        record_failure(state, FailureCode::no_cell_through_slowdown, cell_position(j));
      }
    }
    // The end cell itself counts towards the spacing.
    if (is(state, j, CellKind::slowdown_end)) return j;
  }
  return std::nullopt;
}

void mark_signal_after_end(ScenarioState& state, std::int32_t j) {
  const std::int32_t last = state.cells->last_index();
  const std::int64_t search_end =
      std::min<std::int64_t>(std::int64_t{j} + kSignalSearchAfterEnd, last);
  for (std::int64_t k = j; k <= search_end; ++k) {
    if (!is(state, static_cast<std::int32_t>(k), CellKind::signal)) continue;
    // The cell before the signal, else the one before that. The end cell j is never a signal,
    // so p - 1 is at least the start cell and never cell 0.
    const auto p = static_cast<std::int32_t>(k - 1);
    if (!place_on_first_free(state, std::array{p, p - 1})) {
      record_failure(state, FailureCode::no_cell_through_slowdown, cell_position(j));
    }
    return;
  }
}

}  // namespace scenario
