#pragma once

#include <cstdint>

namespace scenario {

// Every failure the compile can record in `error_code`, and the two the error box shows. These
// are the only place the numbers are written; error_meanings.h says what each means and whether
// it carries a position.
enum class FailureCode : std::int32_t {
  none = 0,
  route_length_refused = 1,
  progressive_off_cells = 2,
  cab_start_off_cells = 3,
  cab_end_off_cells = 4,
  no_code_system = 5,
  direction_board_on_taken_cell = 6,
  code_change_on_taken_cell = 7,
  station_position_off_cells = 8,
  station_length_not_whole = 9,
  stations_meet_boards = 10,
  no_cell_before_signal = 11,
  no_cell_in_approach_window = 12,
  no_cell_through_slowdown = 13,
  record_beyond_cells = 15,
  signal_on_taken_cell = 16,
  slowdown_warning_taken = 17,
  slowdown_start_taken = 18,
  slowdown_end_taken = 19,
  slowdown_approach_taken = 20,
  speed_boards_on_taken_cell = 21,
  stations_too_close = 22,
  stop_cell_before_line = 24,
  read_fault = 25,
  no_route_file = 101,
  no_general_section = 102,
  curve_refused = 103,
  marker_in_use = 1250,
  integrity_code_in_use = 1251,
};

// The code as the system's number, for the places that show or store it.
constexpr std::int32_t code_number(FailureCode code) { return static_cast<std::int32_t>(code); }

}  // namespace scenario
