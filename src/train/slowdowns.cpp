#include "train/slowdowns.h"

#include "model/rounding.h"
#include "parse/cell_access.h"

namespace scenario {

namespace {

// Slowdowns starting this close to the start of the line get no warning point.
constexpr std::int32_t kNoWarningUpTo = 1500;
constexpr std::int32_t kWarningDistance = 1200;

std::int64_t start_cell(const SlowdownRecord& r) { return cell_index(r.x / 50.0 + 1); }
std::int64_t end_cell(const SlowdownRecord& r) {
  return cell_index((std::int64_t{r.x} + r.l) / 50.0 + 1);
}
std::int64_t warning_cell(const SlowdownRecord& r) {
  return cell_index((std::int64_t{r.x} - kWarningDistance) / 50.0 + 1);
}

bool occupied(ScenarioState& state, std::int64_t i) { return !cell_at(state, i).is_free(); }

void fail(ScenarioState& state, FailureCode code, const SlowdownRecord& r) {
  record_failure(state, code, r.x, TextFile::train);
}

void write_d_v(TrackCell& cell, const SlowdownRecord& r) {
  if (r.d_v != 0) cell.value2 = low_16(r.d_v);
}

}  // namespace

void memo_rallentamento(ScenarioState& state, const SlowdownRecord& slowdown) {
  const bool warned = slowdown.x > kNoWarningUpTo;
  const bool with_approach = warned && slowdown.f_ta != 0;
  const std::int64_t s = start_cell(slowdown);
  const std::int64_t e = end_cell(slowdown);
  const std::int64_t w = warning_cell(slowdown);

  if (warned && occupied(state, w))
    return fail(state, FailureCode::slowdown_warning_taken, slowdown);
  if (occupied(state, s)) return fail(state, FailureCode::slowdown_start_taken, slowdown);
  if (occupied(state, e)) return fail(state, FailureCode::slowdown_end_taken, slowdown);

  // The end first: a slowdown whose start and end share a cell ends as its start.
  TrackCell& end = cell_at(state, e);
  end.kind = CellKind::slowdown_end;
  write_d_v(end, slowdown);
  TrackCell& start = cell_at(state, s);
  start.kind = CellKind::slowdown_start;
  write_d_v(start, slowdown);
  if (warned) {
    TrackCell& warning = cell_at(state, w);
    warning.kind = CellKind::slowdown_warning;
    write_d_v(warning, slowdown);
    warning.value1 = low_16(slowdown.v);
  }
  for (TrackCell* cell : {&start, &end}) cell->value1 = low_16(slowdown.v);
  for (TrackCell* cell : {&start, &end}) cell->value3 = low_16(slowdown.f_tt);

  if (!with_approach) return;
  // The approach cells are the four cells just before the warning cell. Rounding
  // (x - 1200) / 50 on its own would put the first of them on the warning cell itself whenever
  // the quotient ends in .5 and rounds up.
  const std::int64_t h = w - 1;
  for (std::int64_t j = 0; j < 4; ++j) {
    if (occupied(state, h - j)) return fail(state, FailureCode::slowdown_approach_taken, slowdown);
  }
  for (std::int64_t j = 0; j < 4; ++j) {
    TrackCell& approach = cell_at(state, h - j);
    approach.kind = CellKind::slowdown_approach;
    approach.value1 = low_16(j + 1);
    if (slowdown.d_v != 0) approach.value2 = low_16(j + 1);
  }
}

RecordOutcome slowdown_record(ScenarioState& state, const ParseContext& context,
                              FieldReader& reader) {
  SlowdownRecord slowdown;
  for (std::int32_t* field :
       {&slowdown.x, &slowdown.v, &slowdown.l, &slowdown.f_tt, &slowdown.f_ta, &slowdown.d_v}) {
    *field = reader.read_i32();
  }
  // The end cell is tested too: a long slowdown must not run past the last cell, nor a negative
  // length before the first.
  if (record_outside_cells(state, slowdown.x, kRecordMargin) ||
      !state.cells->contains(end_cell(slowdown))) {
    return leave_beyond_cells(state, context, slowdown.x);
  }
  memo_rallentamento(state, slowdown);
  // A failure left by the route half stops the parse here as well.
  if (state.failure.recorded()) {
    return close_and_delete(state, context, state.failure.error_code, slowdown.x);
  }
  return RecordOutcome::go_on;
}

}  // namespace scenario
