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

// The approach cells end at (x - 1200) / 50, rounded on its own, which is normally the cell just
// before the warning cell; a quotient ending in .5 that rounds one way for the warning cell and
// the other way for this one leaves a cell between them. Where it rounds onto the warning cell
// itself, the slowdown would find its own warning cell taken: the approach then starts just
// before it instead.
std::int64_t first_approach_cell(const SlowdownRecord& r, std::int64_t warning) {
  const std::int64_t h = cell_index((std::int64_t{r.x} - kWarningDistance) / 50.0);
  return h == warning ? warning - 1 : h;
}

bool occupied(ScenarioState& state, std::int64_t i) { return !cell_at(state, i).is_free(); }

void fail(ScenarioState& state, FailureCode code, const SlowdownRecord& r) {
  record_failure(state, code, r.x, TextFile::train);
}

void write_d_v(TrackCell& cell, const SlowdownRecord& r) {
  if (r.d_v != 0) cell.value2 = low_16(r.d_v);
}

}  // namespace

SlowdownReach memo_rallentamento(ScenarioState& state, const SlowdownRecord& slowdown) {
  const bool warned = slowdown.x > kNoWarningUpTo;
  const bool with_approach = warned && slowdown.f_ta != 0;
  const std::int64_t w = warning_cell(slowdown);

  // The cells are tested in this order, each only once the one before is free: a start or end
  // outside the cells only counts when the slowdown gets that far.
  if (warned && occupied(state, w)) {
    fail(state, FailureCode::slowdown_warning_taken, slowdown);
    return SlowdownReach::inside;
  }
  const std::int64_t s = start_cell(slowdown);
  if (cell_outside(state, s)) return SlowdownReach::outside;
  if (occupied(state, s)) {
    fail(state, FailureCode::slowdown_start_taken, slowdown);
    return SlowdownReach::inside;
  }
  const std::int64_t e = end_cell(slowdown);
  if (cell_outside(state, e)) return SlowdownReach::outside;
  if (occupied(state, e)) {
    fail(state, FailureCode::slowdown_end_taken, slowdown);
    return SlowdownReach::inside;
  }

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

  if (!with_approach) return SlowdownReach::inside;
  const std::int64_t h = first_approach_cell(slowdown, w);
  for (std::int64_t j = 0; j < 4; ++j) {
    if (occupied(state, h - j)) {
      fail(state, FailureCode::slowdown_approach_taken, slowdown);
      return SlowdownReach::inside;
    }
  }
  for (std::int64_t j = 0; j < 4; ++j) {
    TrackCell& approach = cell_at(state, h - j);
    approach.kind = CellKind::slowdown_approach;
    approach.value1 = low_16(j + 1);
    if (slowdown.d_v != 0) approach.value2 = low_16(j + 1);
  }
  return SlowdownReach::inside;
}

RecordOutcome slowdown_record(ScenarioState& state, const ParseContext& context,
                              FieldReader& reader) {
  SlowdownRecord slowdown;
  for (std::int32_t* field :
       {&slowdown.x, &slowdown.v, &slowdown.l, &slowdown.f_tt, &slowdown.f_ta, &slowdown.d_v}) {
    *field = reader.read_i32();
  }
  if (record_outside_cells(state, slowdown.x, kRecordMargin) ||
      memo_rallentamento(state, slowdown) == SlowdownReach::outside) {
    return leave_beyond_cells(state, context, slowdown.x);
  }
  // A failure left by the route half stops the parse here as well.
  if (state.failure.recorded()) {
    return close_and_delete(state, context, state.failure.error_code, slowdown.x);
  }
  return RecordOutcome::go_on;
}

}  // namespace scenario
