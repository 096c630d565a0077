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

// Stores a slowdown: its start cell x / 50 + 1 and end cell (x + l) / 50 + 1, and for a start
// beyond 1500 m the warning cell w = (x - 1200) / 50 + 1 and, when `f_ta` is not 0, the four
// approach cells just before it (w - 1 down to w - 4). Every cell must be free.
// Reads `kind` of cells; writes `kind`, `value1` to `value3` of cells and error_code:
// 17 (warning cell occupied), 18 (start), 19 (end): nothing written; 20 (an approach cell
// occupied): start, end and warning cells stay written. The caller has checked that the start
// and end cells lie inside the cells.
void memo_rallentamento(ScenarioState& state, const SlowdownRecord& slowdown);

// "rallentamento" record: reads its six numbers, tests that its cells lie inside the cells
// (else 15: the loop ends) and calls memo_rallentamento. When error_code is positive after the
// call, whichever step set it, takes the close-and-delete exit with error_position = `x`.
RecordOutcome slowdown_record(ScenarioState& state, const ParseContext& context,
                              FieldReader& reader);

}  // namespace scenario
