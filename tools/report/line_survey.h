#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "model/cell_array.h"
#include "model/scenario_state.h"

namespace scenario::report {

// Everything the report draws, read from the compiled scenario: the scenario table and the
// cells as the simulator gets them. Positions of objects found in the cells are their cell's,
// cell index × 50 m; where a record of the author's files put an object in its cell, the mark
// also carries the record's own place, since the author knows a feature by the metres written.

// The record of the author's files that put an object in a cell: its number fields as read,
// the position first, and where it stands.
struct AuthorPlace {
  std::int64_t position = 0;          // the record's position field, metres as written
  std::vector<std::int64_t> numbers;  // every number field of the record, position first
  std::string source;                 // "FILE:LINE" of the record (UTF-8), or empty
};
// The places of the cells that records filled, by cell index. Cells the compile filled itself
// (the placement's code changes) have none.
using AuthorPlaces = std::map<std::int32_t, AuthorPlace>;

struct StationMark {
  int slot = 0;
  std::string name;  // single-byte text, as in the table
  std::int32_t position = 0;
  std::uint8_t type = 0;
  std::int32_t zone_start = 0;
  std::int32_t zone_end = 0;
  std::int32_t time_s = 0;
  std::optional<std::int32_t> stop_cell;  // the station_stop cell naming this slot
  std::optional<AuthorPlace> author;      // the record that put the stop cell there
};

// A signal's values unpacked: value1 to value3 are s × 10 + d, value4 is rapp × 10 + sx × 3 + dx.
// Unpacked with the units digit from 0 to 9 and sx, dx from the last digit's thirds.
struct SignalAspects {
  std::int32_t s[3] = {0, 0, 0};
  std::int32_t d[3] = {0, 0, 0};
  std::int32_t rapp = 0;
  std::int32_t sx = 0;
  std::int32_t dx = 0;
};
SignalAspects decode_signal(const TrackCell& cell);

struct SignalMark {
  std::int32_t cell = 0;
  TrackCell values;
  SignalAspects aspects;
  std::optional<AuthorPlace> author;
};

// One slowdown: a start cell and the end cell it pairs with. Ends are paired with the nearest
// unpaired start before them, so a slowdown lying inside a longer one is found as itself; a
// start left without an end is a slowdown of one cell (start and end on one cell end as a
// start), an end without a start stands alone.
struct SlowdownMark {
  std::optional<std::int32_t> start_cell;
  std::optional<std::int32_t> end_cell;
  std::int16_t speed = 0;  // value1 of its start (of its end when it has none)
  std::int16_t d_v = 0;
  std::int16_t f_tt = 0;
  std::optional<std::int32_t> warning_cell;  // the warning 24 cells before the start
  int approach_cells = 0;                    // approach cells just before the warning
  std::optional<AuthorPlace> author;         // the record of its start cell
  std::optional<AuthorPlace> end_author;     // the record of its end cell
};

struct DirectionBoardMark {
  std::int32_t cell = 0;
  int slot = 0;
  std::string text;  // empty when the slot lies outside the table
  std::optional<AuthorPlace> author;
};

// A pair of maximum-speed boards. A packed value p holds the first board's speed / 5 in its
// hundreds and the second's in its last two digits, which reads back exactly for speeds that are
// multiples of 5 up to 495; a negative value does not read back.
struct SpeedBoardMark {
  std::int32_t cell = 0;
  std::int16_t packed[3] = {0, 0, 0};
  std::int16_t stripes = 0;
  std::optional<AuthorPlace> author;
};
struct BoardSpeeds {
  std::int32_t first = 0;
  std::int32_t second = 0;
};
std::optional<BoardSpeeds> unpack_board_speeds(std::int16_t packed);

enum class CodeOrigin : std::uint8_t {
  train_file,      // an "abbattimento" record of the train file put it there
  placement_pass,  // the placement of the cab-signal code changes added it
  unknown,         // the cells before the placement were not given
};

struct CodeChangeMark {
  std::int32_t cell = 0;
  bool cut = false;  // a code_cut cell rather than a code_change
  std::int16_t value = 0;
  CodeOrigin origin = CodeOrigin::unknown;
  std::optional<std::int16_t> value_from_train_file;  // set when the placement capped it
  std::optional<AuthorPlace> author;  // none for a code change the placement put there
};

// A run of cells [from_m, to_m) sharing one value.
struct Stretch {
  std::int32_t from_m = 0;
  std::int32_t to_m = 0;
  std::int32_t value = 0;
};

// A mountain as its record gives it, from `inizio` to `fine`, metres as written.
struct WrittenSpan {
  std::int32_t from_m = 0;
  std::int32_t to_m = 0;
};

struct CabSignalStretch {
  std::int32_t start = 0;
  std::int32_t end = 0;
  std::int32_t system = 0;  // 4 or 9 codes; 0 without cab signalling
};

struct LineSurvey {
  std::string line_name;
  std::string train_number;
  std::int32_t route_length = 0;  // slot 84
  std::int32_t last_cell = 0;     // n
  std::int32_t drawn_end_m = 0;   // the end of cell n, (n + 1) × 50 m
  // The speed limit and the gradient are read over cells 0 to n - 3: the compile's fills end
  // there, and the last three cells keep the zeros they were made with unless a record reached
  // them, which would draw a gradient of -100 and a speed of 0 that no author wrote.
  std::int32_t last_filled_cell = 0;
  std::vector<StationMark> stations;
  std::vector<SignalMark> signals;
  std::vector<SlowdownMark> slowdowns;
  std::vector<DirectionBoardMark> direction_boards;
  std::vector<SpeedBoardMark> speed_boards;
  std::vector<CodeChangeMark> code_changes;
  std::vector<Stretch> mountains;              // value: mountain_type
  std::vector<WrittenSpan> written_mountains;  // the mountain list, in the file's order
  std::vector<Stretch> speed_limit;            // value: km/h (speed_limit × 5)
  std::vector<Stretch> gradient;               // value: gradient - 100
  CabSignalStretch cab_signalling;
};

inline constexpr std::int32_t kCellMetres = 50;

// Reads `state` after the compile: its scenario table, its cells (which must exist), its
// mountain list and its identity. `cells_before_placement`, the cells as the parse left them,
// tells the code changes of the train file from those of the placement pass; without it their
// origin is unknown. `places`, when given, gives each mark the place of the record that put its
// cell there.
LineSurvey survey_line(const ScenarioState& state, const CellArray* cells_before_placement,
                       const AuthorPlaces* places = nullptr);

// The mountains as written that lie over `stretch`'s metres, in the file's order.
std::vector<WrittenSpan> written_over(const LineSurvey& survey, const Stretch& stretch);

// How the page names where a feature stands: the author's metres first and the cell after,
// "8200 m (cell 165)"; for a cell no record of the author placed, the cell and its own metres,
// "cell 165 (8250 m)".
std::string place_text(std::int32_t cell, const std::optional<AuthorPlace>& author);
std::string place_text(std::int32_t cell, std::int64_t author_metres);
std::string cell_text(std::int32_t cell);
// The record's "FILE:LINE", or "-" for a cell no record of the author's placed.
std::string source_text(const std::optional<AuthorPlace>& author);

// A slowdown's cells named by the metres its records wrote: the start at x, the end at x + l
// (x and the third number of the end cell's record), the warning 1200 m before the start.
// Without their records, by their cells; "-" for a cell it lacks.
struct SlowdownPlaces {
  std::string start;
  std::string end;
  std::string warning;
  std::string source;
};

SlowdownPlaces slowdown_places(const SlowdownMark& slowdown);

// "mountain of type T, FROM to TO m as written (cells A to B, A × 50 to (B + 1) × 50 m)" for
// a stretch of cells: the records whose written span lies over it, then its cells.
std::string mountain_title(const LineSurvey& survey, const Stretch& stretch);

}  // namespace scenario::report
