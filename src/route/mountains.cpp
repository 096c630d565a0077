#include "route/mountains.h"

#include <string>

#include "model/rounding.h"
#include "parse/cell_access.h"
#include "parse/read_fault.h"

namespace scenario {

namespace {
constexpr std::int32_t kWithMarkers = 10;  // types above this carry markers
constexpr std::int64_t kCloseFollowing = 150;
constexpr std::int32_t kCloseFollowingType = 3;
constexpr int kMarkEvery = 4;
}  // namespace

MountainReach memo_montagna(ScenarioState& state, std::int32_t inizio, std::int32_t fine,
                            std::int32_t& tipo) {
  if (state.mountain_count >= kMountainCapacity) {
    throw ReadFault("more than " + std::to_string(kMountainCapacity) + " mountains", 0);
  }
  const std::int64_t first = cell_index(inizio / 50.0);
  const std::int64_t last = cell_index(fine / 50.0 - 1);
  // Tested before anything is stored: the list is only read by later mountains of this file, and
  // the refused record ends the feature part.
  if (first <= last && (cell_outside(state, first) || cell_outside(state, last))) {
    return MountainReach::outside;
  }
  bool markers = false;
  if (tipo > kWithMarkers) {
    tipo -= kWithMarkers;
    markers = true;
  }

  const std::int32_t n = ++state.mountain_count;
  state.mountain_start[n] = inizio;
  state.mountain_end[n] = fine;
  // Compared in 64 bits: the distance between two 32-bit positions always has a value.
  if (n > 1 && static_cast<std::int64_t>(inizio) - state.mountain_end[n - 1] <= kCloseFollowing) {
    tipo = kCloseFollowingType;
  }

  std::int64_t counted = 0;
  for (std::int64_t c = first; c <= last; ++c) {
    TrackCell& cell = cell_at(state, c);
    cell.mountain_type = low_byte(tipo);
    ++counted;
    if (markers && counted % kMarkEvery == 0 && cell.kind == CellKind::empty) {
      cell.kind = CellKind::mountain_mark;
    }
  }
  return MountainReach::inside;
}

}  // namespace scenario
