#include "train/station.h"

#include <limits>
#include <string>

#include "model/rounding.h"
#include "parse/cell_access.h"
#include "parse/read_fault.h"

namespace scenario {

namespace {

constexpr std::int64_t kMinimumGap = 350;
// Types from this one on are places without a stop point of their own.
constexpr std::uint8_t kFirstTypeWithoutStop = 25;

bool ends_150_past(std::uint8_t type) { return type == 5 || type == 6; }
bool spans_twice(std::uint8_t type) { return type == 7 || type == 8; }
bool has_stop_cell(std::uint8_t type) { return type < kFirstTypeWithoutStop; }

std::int32_t fitting_i32(std::int64_t value, const char* what, std::int32_t line) {
  if (value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max()) {
    throw ReadFault(std::string(what) + " " + std::to_string(value) + " does not fit 32 bits",
                    line);
  }
  return static_cast<std::int32_t>(value);
}

SimSlot& station_slot(ScenarioState& state, std::int32_t s) {
  // The direction-board test keeps stations below slot 80; this only guards the table.
  if (s < kFirstStationSlot || s > kFirstBoardSlot) {
    throw ReadFault("no scenario-table slot left for station " + std::to_string(s), 0);
  }
  return state.sim_table[static_cast<std::size_t>(s)];
}

// Fields 4 to 17, which the simulator uses and this program only carries.
void read_carried_fields(SimSlot& slot, FieldReader& reader) {
  slot.param4 = reader.read_u8();
  slot.param5 = reader.read_u8();
  slot.param6 = reader.read_u8();
  slot.param7 = reader.read_i16();
  slot.param8 = reader.read_i16();
  slot.param9 = reader.read_u8();
  slot.param10 = reader.read_i16();
  slot.param11 = reader.read_i16();
  slot.param12 = reader.read_i16();
  slot.param13 = reader.read_u8();
  const std::int64_t hours = reader.read_i32();
  const std::int64_t minutes = reader.read_i32();
  const std::int64_t seconds = reader.read_i32();
  slot.time_s = fitting_i32(hours * 3600 + minutes * 60 + seconds, "station time", reader.line());
  slot.name = reader.read_text();
}

void set_extent(SimSlot& slot, std::int64_t length, std::int32_t line) {
  const std::int64_t position = slot.position;
  if (ends_150_past(slot.type)) {
    slot.zone_end = fitting_i32(position + 150, "station extent", line);
    slot.zone_start = fitting_i32(position - length, "station extent", line);
    slot.param6 = 0;
  } else if (spans_twice(slot.type)) {
    slot.zone_start = fitting_i32(position - length, "station extent", line);
    slot.zone_end = fitting_i32(position + length, "station extent", line);
    slot.param6 = 0;
  } else {
    // The length is a whole number of 100 m, so half of it is exact.
    const std::int64_t extension = slot.param6 != 0 ? 50 : 0;
    slot.zone_start = fitting_i32(position - length / 2, "station extent", line);
    slot.zone_end = fitting_i32(position + length / 2 + extension, "station extent", line);
  }
}

// Marks 81 to 84 in the four cells before the stop cell, going backwards; cells 0 and 1 are
// left unmarked.
void mark_stop_approach(ScenarioState& state, const SimSlot& slot) {
  for (int k = 1; k <= 4; ++k) {
    const double q = slot.zone_end / 50.0 - k - 1;
    if (q > 1) cell_at(state, cell_index(q)).marker = static_cast<std::uint8_t>(80 + k);
  }
}

}  // namespace

RecordOutcome station_record(ScenarioState& state, const ParseContext& context, FieldReader& reader,
                             std::int32_t& station_counter) {
  const std::int32_t s = station_counter;
  SimSlot& slot = station_slot(state, s);
  slot.position = reader.read_i32();
  if (record_outside_cells(state, slot.position, kStationMargin)) {
    return leave_beyond_cells(state, context, slot.position);
  }
  if (slot.position % 50 != 0) {
    return close_and_delete(state, context, FailureCode::station_position_off_cells, slot.position);
  }
  slot.type = reader.read_u8();
  const std::int32_t length = reader.read_i32();
  if (length % 100 != 0)
    return close_and_delete(state, context, FailureCode::station_length_not_whole, slot.position);

  read_carried_fields(slot, reader);
  set_extent(slot, length, reader.line());
  if (length < 600) slot.param5 = 0;
  // After the extent, so the first station keeps the 50 m its param6 added to zone_end.
  if (s == kFirstStationSlot) {
    slot.param6 = 0;
    slot.param5 = 0;
  }

  if (has_stop_cell(slot.type)) {
    if (!ends_150_past(slot.type)) mark_stop_approach(state, slot);
    const double q = slot.zone_end / 50.0 - 1;
    if (q <= 1) return close_and_delete(state, context, FailureCode::stop_cell_before_line);
    // The stop point takes its cell whatever stood there.
    TrackCell& stop = cell_at(state, cell_index(q));
    stop.kind = CellKind::station_stop;
    stop.value1 = low_16(s);
  }

  if (s > kFirstStationSlot) {
    const SimSlot& previous = state.sim_table[static_cast<std::size_t>(s - 1)];
    if (static_cast<std::int64_t>(slot.zone_start) - kMinimumGap < previous.zone_end) {
      return close_and_delete(state, context, FailureCode::stations_too_close, slot.position);
    }
  }

  station_counter = s + 1;
  if (station_counter >= context.next_board_slot) {
    return close_and_delete(state, context, FailureCode::stations_meet_boards);
  }
  return RecordOutcome::go_on;
}

}  // namespace scenario
