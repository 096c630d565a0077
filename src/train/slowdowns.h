#pragma once

#include <cstdint>

#include "model/scenario_state.h"
#include "parse/field_reader.h"
#include "parse/parse_context.h"
#include "train/record_exits.h"

namespace scenario {

// The six numbers of a "rallentamento" record, in the order of the file.
struct SlowdownRecord {
  std::int32_t x = 0;     // start of the slowdown, metres
  std::int32_t v = 0;     // speed through it
  std::int32_t l = 0;     // length, metres
  std::int32_t f_tt = 0;  // kept in the start and end cells
  std::int32_t f_ta = 0;  // not 0: four approach cells before the warning cell
  std::int32_t d_v = 0;   // kept in `value2` when not 0
};

// Whether a slowdown's cells could be tested: `outside` when the start or end cell it came to lies
// outside the cells (nothing written, no code recorded).
enum class SlowdownReach { inside, outside };

// Stores a slowdown: its start cell x / 50 + 1 and end cell (x + l) / 50 + 1, and for a start
// beyond 1500 m the warning cell w = (x - 1200) / 50 + 1 and, when `f_ta` is not 0, the four
// approach cells ending at (x - 1200) / 50 (normally w - 1 down to w - 4). Every cell must be free.
// Tests the warning, start and end cells in that order, each only after the one before is free.
// Reads `kind` of cells; writes `kind`, `value1` to `value3` of cells and error_code:
// 17 (warning cell occupied), 18 (start), 19 (end): nothing written; 20 (an approach cell
// occupied): start, end and warning cells stay written. A start or end cell outside the cells,
// reached after the cells before it were found free, returns `outside`.
[[nodiscard]] SlowdownReach memo_rallentamento(ScenarioState& state,
                                               const SlowdownRecord& slowdown);

// "rallentamento" record: reads its six numbers, makes the bound test on `x` and calls
// memo_rallentamento; the bound test failing or a cell outside the cells is 15 (the loop ends).
// When error_code is positive after the call, whichever step set it, takes the close-and-delete
// exit with error_position = `x`.
RecordOutcome slowdown_record(ScenarioState& state, const ParseContext& context,
                              FieldReader& reader);

}  // namespace scenario
