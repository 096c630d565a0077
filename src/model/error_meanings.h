#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "model/failure_code.h"

namespace scenario {

// What a failure code of the compile means, in one line, for the people who write scenarios.
// `has_position` says whether the code records a position of its own in error_position; for the
// others error_position holds whatever an earlier failure left there. record_failure follows it.
struct ErrorMeaning {
  FailureCode code;
  std::string_view meaning;
  bool has_position;
};

// Every code the compile can record or show, in increasing order.
inline constexpr ErrorMeaning kErrorMeanings[] = {
    {FailureCode::route_length_refused, "route length negative or above 1000000 m", false},
    {FailureCode::progressive_off_cells, "a kilometre progressive value is not a multiple of 50",
     false},
    {FailureCode::cab_start_off_cells, "cab-signal stretch start is not a multiple of 50", false},
    {FailureCode::cab_end_off_cells, "cab-signal stretch end is not a multiple of 50", false},
    {FailureCode::no_code_system,
     "\"ripetizione segnali\" names neither the 4-code nor the 9-code system", false},
    {FailureCode::direction_board_on_taken_cell, "direction board on a cell already taken", true},
    {FailureCode::code_change_on_taken_cell, "\"abbattimento\" on a cell already taken", true},
    {FailureCode::station_position_off_cells, "station position is not a multiple of 50", true},
    {FailureCode::station_length_not_whole, "station length is not a multiple of 100", true},
    {FailureCode::stations_meet_boards,
     "too many stations: stations and direction boards together exceed 78", false},
    {FailureCode::no_cell_before_signal,
     "no free cell for the code change before a signal ahead of a slowdown warning", true},
    {FailureCode::no_cell_in_approach_window,
     "no free cell in a code-change window on the approach to a slowdown start", true},
    {FailureCode::no_cell_through_slowdown,
     "no free cell for a code change through a slow slowdown or after its end", true},
    {FailureCode::record_beyond_cells, "record position beyond the end of the line's cells", true},
    {FailureCode::signal_on_taken_cell, "signal on a cell already taken", true},
    {FailureCode::slowdown_warning_taken, "slowdown warning cell already taken", true},
    {FailureCode::slowdown_start_taken, "slowdown start cell already taken", true},
    {FailureCode::slowdown_end_taken, "slowdown end cell already taken", true},
    {FailureCode::slowdown_approach_taken, "slowdown approach cells already taken", true},
    {FailureCode::speed_boards_on_taken_cell, "maximum-speed boards on a cell already taken", true},
    {FailureCode::stations_too_close,
     "station zone starts less than 350 m after the previous station's zone end", true},
    {FailureCode::stop_cell_before_line, "station stop cell would be cell 1 or before", false},
    {FailureCode::read_fault,
     "the text file could not be read: missing, cut short, or a value out of range", false},
    {FailureCode::no_route_file, "the route file does not exist", false},
    {FailureCode::no_general_section, "the route file has no \"[generale]\" section", false},
    {FailureCode::curve_refused,
     "curve without a class digit 1 to 6, or the line's plan beyond 1000000 m", false},
    {FailureCode::marker_in_use, "a reserved marker field was already in use (error box)", false},
    {FailureCode::integrity_code_in_use,
     "a reserved integrity-code field was already in use (error box)", false},
};

// Every code the compile can record or show, in increasing order.
constexpr std::span<const ErrorMeaning> error_meanings() { return kErrorMeanings; }

// The meaning of `code`; "unknown error" for a code the system never records.
std::string_view error_meaning(FailureCode code);

// True when `code` records the position of the failing record in error_position.
constexpr bool error_has_position(FailureCode code) {
  for (const ErrorMeaning& m : kErrorMeanings) {
    if (m.code == code) return m.has_position;
  }
  return false;
}

}  // namespace scenario
