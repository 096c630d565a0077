#pragma once

#include <cstdint>

#include "model/scenario_state.h"

namespace scenario {

// Stores one mountain: appends (`inizio`, `fine`) to `mountain_start` / `mountain_end` at
// `mountain_count` + 1, and writes the low 8 bits of its type into `mountain_type` of cells
// `inizio` / 50 to `fine` / 50 - 1 (each rounded, halves to even). A `tipo` above 10 is type
// `tipo` - 10 with markers: every 4th cell of the mountain that is `empty` becomes
// `mountain_mark`. A mountain that begins at most 150 m after the end of the previous one gets
// type 3. Rewrites `tipo` to the type stored. Records no failure; throws ReadFault for an 81st
// mountain. A mountain with cells to write of which one lies outside `cells` is not stored and
// returns `outside` (the caller refuses the record).
// `tipo` is passed by reference because the caller's value is rewritten, as the system's own
// procedure does; `inizio` and `fine` are only read, so they are passed by value.
enum class MountainReach { inside, outside };
[[nodiscard]] MountainReach memo_montagna(ScenarioState& state, std::int32_t inizio,
                                          std::int32_t fine, std::int32_t& tipo);

}  // namespace scenario
