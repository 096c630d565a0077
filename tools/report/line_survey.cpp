#include "line_survey.h"

#include <algorithm>
#include <utility>

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

std::optional<AuthorPlace> place_of(const AuthorPlaces* places, std::int32_t cell) {
  if (!places) return std::nullopt;
  const auto found = places->find(cell);
  if (found == places->end()) return std::nullopt;
  return found->second;
}

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
    stations.push_back(
        {slot, s.name, s.position, s.type, s.zone_start, s.zone_end, s.time_s, {}, {}});
  }
  return stations;
}

// Start cells waiting for their end, the innermost last.
void close_slowdown(std::vector<SlowdownMark>& slowdowns, std::vector<std::size_t>& open,
                    std::int32_t end_cell, const TrackCell& cell) {
  if (open.empty()) {
    slowdowns.push_back(
        {std::nullopt, end_cell, cell.value1, cell.value2, cell.value3, {}, 0, {}, {}});
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

std::vector<WrittenSpan> written_over(const LineSurvey& survey, const Stretch& stretch) {
  std::vector<WrittenSpan> over;
  for (const WrittenSpan& m : survey.written_mountains) {
    if (m.from_m < stretch.to_m && m.to_m > stretch.from_m) over.push_back(m);
  }
  return over;
}

std::string place_text(std::int32_t cell, std::int64_t author_metres) {
  return std::to_string(author_metres) + " m (cell " + std::to_string(cell) + ")";
}

std::string cell_text(std::int32_t cell) {
  return "cell " + std::to_string(cell) + " (" + std::to_string(metres(cell)) + " m)";
}

std::string place_text(std::int32_t cell, const std::optional<AuthorPlace>& author) {
  return author ? place_text(cell, author->position) : cell_text(cell);
}

std::string source_text(const std::optional<AuthorPlace>& author) {
  return author && !author->source.empty() ? author->source : std::string("-");
}

SlowdownPlaces slowdown_places(const SlowdownMark& sl) {
  constexpr std::int64_t kWarningBefore = 1200;
  const auto place = [](const std::optional<std::int32_t>& cell,
                        const std::optional<std::int64_t>& written) {
    if (!cell) return std::string("-");
    return written ? place_text(*cell, *written) : cell_text(*cell);
  };
  std::optional<std::int64_t> start;
  std::optional<std::int64_t> warning;
  std::optional<std::int64_t> end;
  if (sl.author) {
    start = sl.author->position;
    warning = sl.author->position - kWarningBefore;
  }
  if (sl.end_author && sl.end_author->numbers.size() >= 3) {
    end = sl.end_author->position + sl.end_author->numbers[2];
  }
  SlowdownPlaces p{place(sl.start_cell, start), place(sl.end_cell, end),
                   place(sl.warning_cell, warning), source_text(sl.author)};
  // Overlapping slowdowns can pair one record's start with another's end.
  const std::string end_source = source_text(sl.end_author);
  if (p.source == "-") {
    p.source = end_source;
  } else if (end_source != "-" && end_source != p.source) {
    p.source += ", " + end_source;
  }
  return p;
}

std::string mountain_title(const LineSurvey& survey, const Stretch& stretch) {
  std::string title = "mountain of type " + std::to_string(stretch.value) + ", ";
  const std::vector<WrittenSpan> written = written_over(survey, stretch);
  for (std::size_t k = 0; k < written.size(); ++k) {
    if (k != 0) title += ", ";
    title += std::to_string(written[k].from_m) + " to " + std::to_string(written[k].to_m) + " m";
  }
  if (!written.empty()) title += " as written ";
  title += "(cells " + std::to_string(stretch.from_m / kCellMetres) + " to " +
           std::to_string(stretch.to_m / kCellMetres - 1) + ", " + std::to_string(stretch.from_m) +
           " to " + std::to_string(stretch.to_m) + " m)";
  return title;
}

LineSurvey survey_line(const ScenarioState& state, const CellArray* cells_before_placement,
                       const AuthorPlaces* places) {
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
        survey.signals.push_back({i, cell, decode_signal(cell), place_of(places, i)});
        break;
      case CellKind::slowdown_start: {
        SlowdownMark start{i, std::nullopt, cell.value1, cell.value2, cell.value3, {}, 0, {}, {}};
        start.author = place_of(places, i);
        open_slowdowns.push_back(survey.slowdowns.size());
        survey.slowdowns.push_back(std::move(start));
        break;
      }
      case CellKind::slowdown_end:
        close_slowdown(survey.slowdowns, open_slowdowns, i, cell);
        break;
      case CellKind::speed_boards:
        survey.speed_boards.push_back(
            {i, {cell.value1, cell.value2, cell.value3}, cell.value4, place_of(places, i)});
        break;
      case CellKind::direction_board: {
        const int slot = cell.value1;
        const bool in_table = slot >= kFirstStationSlot && slot <= kFirstBoardSlot;
        survey.direction_boards.push_back(
            {i, slot, in_table ? state.sim_table[static_cast<std::size_t>(slot)].name : "",
             place_of(places, i)});
        if (in_table) lowest_board_slot = std::min(lowest_board_slot, slot);
        break;
      }
      case CellKind::code_change:
      case CellKind::code_cut: {
        CodeChangeMark mark{i,           cell.kind == CellKind::code_cut,
                            cell.value1, CodeOrigin::unknown,
                            {},          place_of(places, i)};
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
  for (SlowdownMark& s : survey.slowdowns) {
    if (s.end_cell) s.end_author = place_of(places, *s.end_cell);
  }
  find_warnings(cells, survey.slowdowns);

  survey.stations = stations_of(state, lowest_board_slot);
  for (std::int32_t i = 0; i <= survey.last_cell; ++i) {
    if (cells[i].kind != CellKind::station_stop) continue;
    for (StationMark& station : survey.stations) {
      if (station.slot != cells[i].value1) continue;
      station.stop_cell = i;
      station.author = place_of(places, i);
    }
  }

  survey.mountains = stretches(cells, survey.last_cell,
                               [](const TrackCell& c) { return std::int32_t{c.mountain_type}; });
  std::erase_if(survey.mountains, [](const Stretch& s) { return s.value == 0; });
  const int written = std::clamp(state.mountain_count, 0, kMountainCapacity);
  for (int m = 1; m <= written; ++m) {
    survey.written_mountains.push_back({state.mountain_start[static_cast<std::size_t>(m)],
                                        state.mountain_end[static_cast<std::size_t>(m)]});
  }
  survey.speed_limit = stretches(cells, survey.last_filled_cell, [](const TrackCell& c) {
    return std::int32_t{c.speed_limit} * 5;
  });
  survey.gradient = stretches(cells, survey.last_filled_cell,
                              [](const TrackCell& c) { return std::int32_t{c.gradient} - 100; });
  return survey;
}

}  // namespace scenario::report
