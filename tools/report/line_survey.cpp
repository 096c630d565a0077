#include "line_survey.h"

#include <algorithm>

namespace scenario::report {

namespace {

// Floor division and its remainder from 0 to divisor - 1, for values packed as digits.
std::int32_t floor_div(std::int32_t v, std::int32_t divisor) {
  const std::int32_t q = v / divisor;
  return (v % divisor != 0 && v < 0) ? q - 1 : q;
}
std::int32_t floor_mod(std::int32_t v, std::int32_t divisor) {
  return v - floor_div(v, divisor) * divisor;
}

std::int32_t metres(std::int64_t cell) { return static_cast<std::int32_t>(cell * kCellMetres); }

bool is_code_kind(CellKind kind) {
  return kind == CellKind::code_change || kind == CellKind::code_cut;
}

std::vector<StationMark> stations_of(const ScenarioState& state, int lowest_board_slot) {
  int last = 0;
  for (int slot = kFirstStationSlot; slot < lowest_board_slot; ++slot) {
    if (state.sim_table[static_cast<std::size_t>(slot)] != SimSlot{}) last = slot;
  }
  std::vector<StationMark> stations;
  for (int slot = kFirstStationSlot; slot <= last; ++slot) {
    const SimSlot& s = state.sim_table[static_cast<std::size_t>(slot)];
    stations.push_back({slot, s.name, s.position, s.type, s.zone_start, s.zone_end, s.time_s, {}});
  }
  return stations;
}

// Start cells waiting for their end, the innermost last.
void close_slowdown(std::vector<SlowdownMark>& slowdowns, std::vector<std::size_t>& open,
                    std::int32_t end_cell, const TrackCell& cell) {
  if (open.empty()) {
    slowdowns.push_back({std::nullopt, end_cell, cell.value1, cell.value2, cell.value3, {}, 0});
    return;
  }
  slowdowns[open.back()].end_cell = end_cell;
  open.pop_back();
}

void find_warnings(const CellArray& cells, std::vector<SlowdownMark>& slowdowns) {
  constexpr std::int32_t kWarningCells = 24;  // the warning stands 1200 m before the start
  for (SlowdownMark& s : slowdowns) {
    if (!s.start_cell) continue;
    const std::int64_t w = *s.start_cell - kWarningCells;
    if (!cells.contains(w) || cells[w].kind != CellKind::slowdown_warning) continue;
    s.warning_cell = static_cast<std::int32_t>(w);
    for (std::int64_t a = w - 1; a >= w - 4 && cells.contains(a); --a) {
      if (cells[a].kind == CellKind::slowdown_approach) ++s.approach_cells;
    }
  }
}

template <class Value>
std::vector<Stretch> stretches(const CellArray& cells, std::int32_t last_cell, Value value) {
  std::vector<Stretch> runs;
  for (std::int32_t i = 0; i <= last_cell; ++i) {
    const std::int32_t v = value(cells[i]);
    if (!runs.empty() && runs.back().value == v) {
      runs.back().to_m = metres(i + 1);
    } else {
      runs.push_back({metres(i), metres(i + 1), v});
    }
  }
  return runs;
}

}  // namespace

SignalAspects decode_signal(const TrackCell& cell) {
  SignalAspects a;
  const std::int32_t packed[3] = {cell.value1, cell.value2, cell.value3};
  for (int k = 0; k < 3; ++k) {
    a.s[k] = floor_div(packed[k], 10);
    a.d[k] = floor_mod(packed[k], 10);
  }
  a.rapp = floor_div(cell.value4, 10);
  const std::int32_t sides = floor_mod(cell.value4, 10);
  a.sx = sides / 3;
  a.dx = sides % 3;
  return a;
}

std::optional<BoardSpeeds> unpack_board_speeds(std::int16_t packed) {
  if (packed < 0) return std::nullopt;
  return BoardSpeeds{packed / 100 * 5, packed % 100 * 5};
}

LineSurvey survey_line(const ScenarioState& state, const CellArray* cells_before_placement) {
  const CellArray& cells = *state.cells;
  LineSurvey survey;
  survey.line_name = state.line_name;
  survey.train_number = state.train_number;
  survey.route_length = state.sim_table[kTrainRouteSlot].zone_end;
  survey.last_cell = cells.last_index();
  survey.drawn_end_m = metres(std::int64_t{survey.last_cell} + 1);
  survey.last_filled_cell = std::max(0, survey.last_cell - 3);
  const SimSlot& cab = state.sim_table[kTrainSlot];
  survey.cab_signalling = {cab.zone_start, cab.zone_end, cab.position};

  std::vector<std::size_t> open_slowdowns;
  int lowest_board_slot = kFirstBoardSlot + 1;
  for (std::int32_t i = 0; i <= survey.last_cell; ++i) {
    const TrackCell& cell = cells[i];
    switch (cell.kind) {
      case CellKind::signal:
        survey.signals.push_back({i, cell, decode_signal(cell)});
        break;
      case CellKind::slowdown_start:
        open_slowdowns.push_back(survey.slowdowns.size());
        survey.slowdowns.push_back({i, std::nullopt, cell.value1, cell.value2, cell.value3, {}, 0});
        break;
      case CellKind::slowdown_end:
        close_slowdown(survey.slowdowns, open_slowdowns, i, cell);
        break;
      case CellKind::speed_boards:
        survey.speed_boards.push_back({i, {cell.value1, cell.value2, cell.value3}, cell.value4});
        break;
      case CellKind::direction_board: {
        const int slot = cell.value1;
        const bool in_table = slot >= kFirstStationSlot && slot <= kFirstBoardSlot;
        survey.direction_boards.push_back(
            {i, slot, in_table ? state.sim_table[static_cast<std::size_t>(slot)].name : ""});
        if (in_table) lowest_board_slot = std::min(lowest_board_slot, slot);
        break;
      }
      case CellKind::code_change:
      case CellKind::code_cut: {
        CodeChangeMark mark{
            i, cell.kind == CellKind::code_cut, cell.value1, CodeOrigin::unknown, {}};
        if (cells_before_placement && cells_before_placement->contains(i)) {
          const TrackCell& before = (*cells_before_placement)[i];
          mark.origin =
              is_code_kind(before.kind) ? CodeOrigin::train_file : CodeOrigin::placement_pass;
          if (before.kind == CellKind::code_change && before.value1 != cell.value1) {
            mark.value_from_train_file = before.value1;
          }
        }
        survey.code_changes.push_back(mark);
        break;
      }
      default:
        break;
    }
  }
  // Single-cell slowdowns end as a start only.
  for (const std::size_t open : open_slowdowns) {
    survey.slowdowns[open].end_cell = survey.slowdowns[open].start_cell;
  }
  find_warnings(cells, survey.slowdowns);

  survey.stations = stations_of(state, lowest_board_slot);
  for (std::int32_t i = 0; i <= survey.last_cell; ++i) {
    if (cells[i].kind != CellKind::station_stop) continue;
    for (StationMark& station : survey.stations) {
      if (station.slot == cells[i].value1) station.stop_cell = i;
    }
  }

  survey.mountains = stretches(cells, survey.last_cell,
                               [](const TrackCell& c) { return std::int32_t{c.mountain_type}; });
  std::erase_if(survey.mountains, [](const Stretch& s) { return s.value == 0; });
  survey.speed_limit = stretches(cells, survey.last_filled_cell, [](const TrackCell& c) {
    return std::int32_t{c.speed_limit} * 5;
  });
  survey.gradient = stretches(cells, survey.last_filled_cell,
                              [](const TrackCell& c) { return std::int32_t{c.gradient} - 100; });
  return survey;
}

}  // namespace scenario::report
