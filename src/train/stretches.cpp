#include "train/stretches.h"

#include <string>

#include "model/rounding.h"
#include "parse/cell_access.h"
#include "parse/read_fault.h"

namespace scenario {

namespace {

using CellWriter = void (*)(TrackCell& cell, std::int32_t value, std::int32_t line);

void write_speed(TrackCell& cell, std::int32_t speed, std::int32_t line) {
  const auto fifth = round_to<std::uint8_t>(speed / 5.0);
  if (!fifth) {
    throw ReadFault("speed " + std::to_string(speed) + " divided by 5 does not fit 0 to 255", line);
  }
  cell.speed_limit = *fifth;
}

void write_adhesion(TrackCell& cell, std::int32_t adhesion, std::int32_t) {
  cell.adhesion = low_byte(adhesion);
}

RecordOutcome stretch_record(ScenarioState& state, const ParseContext& context, FieldReader& reader,
                             FillCursor& stretch, CellWriter write) {
  const std::int32_t start = reader.read_i32();
  const std::int32_t value = reader.read_i32();
  if (record_outside_cells(state, start, kRecordMargin))
    return leave_beyond_cells(state, context, start);

  const std::int64_t start_cell = cell_index(start / 50.0);
  if (start_cell > 0) {
    const std::int32_t last = last_cell(state);
    // The earlier stretch always reaches one more cell, even when the fill already stands at or
    // past the new start: a later record starting before an earlier one overwrites nothing else.
    do {
      if (stretch.fill >= last) break;
      write(cell_at(state, stretch.fill), stretch.current, context.record_line);
      ++stretch.fill;
    } while (stretch.fill < start_cell);
  }
  stretch.current = value;
  return RecordOutcome::go_on;
}

void stretch_tail(ScenarioState& state, const ParseContext& context, FillCursor& stretch,
                  CellWriter write) {
  const std::int32_t stop = last_cell(state) - 2;
  do {
    write(cell_at(state, stretch.fill), stretch.current, context.record_line);
    ++stretch.fill;
  } while (stretch.fill < stop);
}

}  // namespace

RecordOutcome speed_record(ScenarioState& state, const ParseContext& context, FieldReader& reader,
                           FillCursor& speed) {
  return stretch_record(state, context, reader, speed, write_speed);
}

RecordOutcome adhesion_record(ScenarioState& state, const ParseContext& context,
                              FieldReader& reader, FillCursor& adhesion) {
  return stretch_record(state, context, reader, adhesion, write_adhesion);
}

void speed_tail(ScenarioState& state, const ParseContext& context, FillCursor& speed) {
  stretch_tail(state, context, speed, write_speed);
}

void adhesion_tail(ScenarioState& state, const ParseContext& context, FillCursor& adhesion) {
  stretch_tail(state, context, adhesion, write_adhesion);
}

}  // namespace scenario
