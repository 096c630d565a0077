#pragma once

#include <cstdint>

#include "model/scenario_state.h"
#include "parse/parse_context.h"

namespace scenario {

// The nine values of a maximum-speed board pair after its position: speeds A, B, C and the
// stripe count of the first board (suffix s), then of the second (suffix d).
struct SpeedBoardPair {
  std::int32_t vas = 0;
  std::int32_t vbs = 0;
  std::int32_t vcs = 0;
  std::int32_t strisces = 0;
  std::int32_t vad = 0;
  std::int32_t vbd = 0;
  std::int32_t vcd = 0;
  std::int32_t strisced = 0;
};

// Places a board pair on cell `posizione` / 50 + 1 (rounded, halves to even): `kind` =
// `speed_boards`, `value1` to `value3` = second speed / 5 + first speed × 20 for A, B and C,
// `value4` = `strisces` × 10 + `strisced` in wrapping 16-bit arithmetic. When the cell is taken
// (neither `empty` nor `mountain_mark`) records 21 with `error_position` = `posizione` and
// changes nothing else. Throws ReadFault when a packed speed does not fit 16 bits or the cell
// lies outside `cells`.
void memo_indicatori_v_max(ScenarioState& state, const ParseContext& context,
                           std::int32_t posizione, const SpeedBoardPair& boards);

}  // namespace scenario
