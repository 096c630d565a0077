#pragma once

#include <cstdint>

#include "model/scenario_state.h"
#include "parse/field_reader.h"
#include "parse/parse_context.h"
#include "train/record_exits.h"

namespace scenario {

// The numbers of a "segnale" record after its position, in the order of the file.
struct SignalRecord {
  std::int32_t sx = 0;
  std::int32_t s1 = 0;
  std::int32_t s2 = 0;
  std::int32_t s3 = 0;
  std::int32_t rapp = 0;
  std::int32_t dx = 0;
  std::int32_t d1 = 0;
  std::int32_t d2 = 0;
  std::int32_t d3 = 0;
  std::int32_t tempo = 0;
};

// Stores a signal at cell `posizione` / 50 + 1 with its approach marks in the cells 2, 4, 6 and
// 8 before it; marks that would fall before cell 0 are dropped. A `tempo` of 1 to 100 is raised
// to 101 in `signal` itself, which is why `signal` is passed by reference. Reads `kind` of cells;
// writes `kind`, `value1` to `value4`, `signal_time` and `marker` of cells, and error_code 16 when
// the signal's cell is occupied (then nothing is written). The caller has checked that the cell
// lies inside the cells.
void memo_segnale(ScenarioState& state, std::int32_t posizione, SignalRecord& signal);

// "segnale" record: reads its eleven numbers, tests the bound and calls memo_segnale. Records
// 15 (beyond or before the cells: the loop ends). When error_code is positive after the call,
// whichever step set it, takes the close-and-delete exit with error_position = `posizione`.
RecordOutcome signal_record(ScenarioState& state, const ParseContext& context, FieldReader& reader);

}  // namespace scenario
