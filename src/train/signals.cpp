#include "train/signals.h"

#include "model/rounding.h"
#include "parse/cell_access.h"

namespace scenario {

namespace {

// A time of 1 to 100 is raised to this; 0 (no time) and longer times stay as they are.
constexpr std::int32_t kShortestTime = 101;

// Packs two digits of the signal's aspect: tens from the first, units from the second.
std::int16_t packed(std::int64_t tens, std::int64_t units) { return low_16(tens * 10 + units); }

}  // namespace

void memo_segnale(ScenarioState& state, std::int32_t posizione, SignalRecord& signal) {
  const std::int64_t i = cell_index(posizione / 50.0 + 1);
  TrackCell& cell = cell_at(state, i);
  if (!cell.is_free()) {
    record_failure(state, FailureCode::signal_on_taken_cell, posizione, TextFile::train);
    return;
  }
  cell.kind = CellKind::signal;
  cell.value4 = low_16(std::int64_t{signal.rapp} * 10 + std::int64_t{signal.sx} * 3 + signal.dx);
  cell.value1 = packed(signal.s1, signal.d1);
  cell.value2 = packed(signal.s2, signal.d2);
  cell.value3 = packed(signal.s3, signal.d3);

  if (signal.tempo >= 1 && signal.tempo <= 100) signal.tempo = kShortestTime;
  cell.signal_time = signal.sx == 2 ? low_byte(signal.tempo) : 0;

  // The approach marks go in whatever the cells hold.
  const std::int64_t side = 10 * (3 * std::int64_t{signal.sx} + signal.dx);
  for (int k = 1; k <= 4; ++k) {
    const std::int64_t mark_cell = i - 2 * k;
    if (mark_cell < 0) break;
    cell_at(state, mark_cell).marker = low_byte(side + k);
  }
}

RecordOutcome signal_record(ScenarioState& state, const ParseContext& context,
                            FieldReader& reader) {
  const std::int32_t posizione = reader.read_i32();
  SignalRecord signal;
  for (std::int32_t* field : {&signal.sx, &signal.s1, &signal.s2, &signal.s3, &signal.rapp,
                              &signal.dx, &signal.d1, &signal.d2, &signal.d3, &signal.tempo}) {
    *field = reader.read_i32();
  }
  // A signal far enough before 0 m would stand before cell 0 itself (its approach marks there
  // are only left out).
  if (record_outside_cells(state, posizione, kRecordMargin) ||
      cell_outside(state, cell_index(posizione / 50.0 + 1))) {
    return leave_beyond_cells(state, context, posizione);
  }
  memo_segnale(state, posizione, signal);
  // A failure left by the route half stops the parse here as well.
  if (state.failure.recorded()) {
    return close_and_delete(state, context, state.failure.error_code, posizione);
  }
  return RecordOutcome::go_on;
}

}  // namespace scenario
