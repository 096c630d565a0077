#include "check/failure_explanations.h"

#include <algorithm>
#include <array>
#include <string>

#include "model/error_meanings.h"

namespace scenario::check {

namespace {

constexpr TextFile route = TextFile::route;
constexpr TextFile train = TextFile::train;

struct FailureText {
  FailureCode code;
  std::string_view meaning;
  Example example;
  std::string_view fix;
};

// One line of the train's station record after its position, type and length.
#define STATION_REST "0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, FERMATA"

constexpr std::array<FailureText, 28> kFailures{{
    {FailureCode::route_length_refused,
     "The route's length is more than 1000000 m or negative. The route file is not read on.",
     {route, "[generale]\nlunghezza percorso, 1200000\n[curve]\n[fine]\n"},
     "Give a length from 0 to 1000000 m."},
    {FailureCode::progressive_off_cells,
     "After the three kilometre-progressive entries are ordered, one of their first two values "
     "is not a multiple of 50. Found after both files were read, so no line is named.",
     {route,
      "[generale]\nlunghezza percorso, 5000\nprogressiva chilometrica uno, 0, 125, 0\n[curve]\n"
      "[fine]\n"},
     "Give every first and second value of the progressive records as a multiple of 50."},
    {FailureCode::cab_start_off_cells,
     "The start of the cab-signal stretch is not a multiple of 50 m.",
     {route,
      "[generale]\nlunghezza percorso, 5000\nripetizione segnali 9 codici, 25, 3000\n[curve]\n"
      "[fine]\n"},
     "Start the stretch on a multiple of 50 m."},
    {FailureCode::cab_end_off_cells,
     "The end of the cab-signal stretch is not a multiple of 50 m.",
     {route,
      "[generale]\nlunghezza percorso, 5000\nripetizione segnali 9 codici, 0, 3010\n[curve]\n"
      "[fine]\n"},
     "End the stretch on a multiple of 50 m (0 for a line without cab signalling)."},
    {FailureCode::no_code_system,
     "The keyword field of \"ripetizione segnali\" names the code system by a \"4\" or a \"9\" "
     "in it; this one holds neither.",
     {route,
      "[generale]\nlunghezza percorso, 5000\nripetizione segnali codici, 0, 3000\n[curve]\n"
      "[fine]\n"},
     "Write \"ripetizione segnali 9 codici\" or \"ripetizione segnali 4 codici\"."},
    {FailureCode::direction_board_on_taken_cell,
     "A direction board goes on the cell of its position / 50 + 1, which must be free; a speed "
     "board pair or another direction board already stands there.",
     {route,
      "[generale]\nlunghezza percorso, 5000\n[cartelli]\n"
      "indicatori_vmax, 2300, 130, 135, 135, 0, 130, 135, 135, 0\n[indicazioni]\n"
      "cartello_indicatore, 2300, (P.L.)\n[fine]\n"},
     "Move one of the two boards to another 50 m cell."},
    {FailureCode::code_change_on_taken_cell,
     "A hand-placed code change goes on the cell of its position / 50, which must be free; "
     "another object already stands there.",
     {train,
      "[generale]\nsegnale, 2000, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0\nabbattimento, 2050, 180\n"
      "[fine]\n"},
     "Move the code change to a free cell."},
    {FailureCode::station_position_off_cells,
     "A station's position is not a multiple of 50 m.",
     {train, "[generale]\nstazione, 1010, 12, 300, " STATION_REST "\n[fine]\n"},
     "Give the station's position as a multiple of 50 m."},
    {FailureCode::station_length_not_whole,
     "A station's length is not a multiple of 100 m.",
     {train, "[generale]\nstazione, 1000, 12, 350, " STATION_REST "\n[fine]\n"},
     "Give the station's length as a multiple of 100 m."},
    {FailureCode::stations_meet_boards,
     "Stations take scenario-table slots from 1 upward and direction boards from 80 downward; "
     "together they may number at most 78, and this station is one too many.",
     {TextFile::none,
      "A route with 75 direction boards and a train file with 4 stations: the fourth station "
      "records error 10."},
     "Use fewer direction boards or fewer stations."},
    {FailureCode::no_cell_before_signal,
     "The code-change pass puts a code change just before every signal that lies within 1000 m "
     "before a slowdown's warning point; the two cells before this signal are taken by objects "
     "other than code changes.",
     {train,
      "[generale]\nabbattimento, 1900, 0\nabbattimento, 1950, 0\n"
      "segnale, 1950, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0\nrallentamento, 3200, 120, 200, 0, 0, 0\n"
      "[fine]\n"},
     "Keep one of the two cells before the signal free."},
    {FailureCode::no_cell_in_approach_window,
     "The code-change pass puts code changes in three windows of three cells before every "
     "slowdown start (5 to 7, 11 to 13 and 18 to 20 cells before it); every cell of one window "
     "is taken.",
     {train,
      "[generale]\nabbattimento, 2800, 180\nabbattimento, 2750, 180\nabbattimento, 2700, 180\n"
      "rallentamento, 3000, 120, 200, 0, 0, 0\n[fine]\n"},
     "Move the objects that fill the window, or the slowdown."},
    {FailureCode::no_cell_through_slowdown,
     "Through a slowdown slower than 110 the code-change pass puts a code change every 8 cells, "
     "and one before the first signal within 12 cells after its end; the cell it needs and its "
     "neighbours are all taken.",
     {train,
      "[generale]\nabbattimento, 3400, 0\nabbattimento, 3450, 0\nabbattimento, 3500, 0\n"
      "rallentamento, 3000, 60, 1000, 0, 0, 0\n[fine]\n"},
     "Keep cells free inside slow slowdowns and just before the first signal after them."},
    {FailureCode::record_beyond_cells,
     "A record's position lies beyond the cells, which reach 7000 m past the route's length: a "
     "record needs position + 100 m within them (a station position + 800 m), and every cell it "
     "goes on to use must lie within them: a slowdown's end, a mountain's last cell, a curve's "
     "last metre, or a cell before cell 0 from a negative position. No further record of that "
     "file is read; what was compiled stays.",
     {train, "[generale]\nvelocita, 20000, 30\n[fine]\n"},
     "Keep positions inside the line, or lengthen the route."},
    {FailureCode::signal_on_taken_cell,
     "A signal goes on the cell of its position / 50 + 1, which must be free; another object "
     "already stands there.",
     {train,
      "[generale]\nsegnale, 2000, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0\n"
      "segnale, 2000, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0\n[fine]\n"},
     "Move one of the two objects to another 50 m cell."},
    {FailureCode::slowdown_warning_taken,
     "A slowdown beyond 1500 m puts its warning point 1200 m before its start, on a cell that "
     "must be free; another object already stands there.",
     {train,
      "[generale]\nsegnale, 1800, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0\n"
      "rallentamento, 3000, 60, 200, 0, 0, 0\n[fine]\n"},
     "Move the object off the warning point, or move the slowdown."},
    {FailureCode::slowdown_start_taken,
     "A slowdown's start goes on the cell of x / 50 + 1, which must be free; it is taken.",
     {train,
      "[generale]\nsegnale, 3000, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0\n"
      "rallentamento, 3000, 60, 200, 0, 0, 0\n[fine]\n"},
     "Move the object off the slowdown's start, or move the slowdown."},
    {FailureCode::slowdown_end_taken,
     "A slowdown's end goes on the cell of (x + length) / 50 + 1, which must be free; it is "
     "taken.",
     {train,
      "[generale]\nsegnale, 3200, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0\n"
      "rallentamento, 3000, 60, 200, 0, 0, 0\n[fine]\n"},
     "Move the object off the slowdown's end, or change the slowdown's length."},
    {FailureCode::slowdown_approach_taken,
     "A slowdown whose fifth number is not 0 puts approach cells in the four cells before its "
     "warning point, and they must be free; one is taken. Its start, end and warning point are "
     "written all the same.",
     {train,
      "[generale]\nsegnale, 1700, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0\n"
      "rallentamento, 3000, 60, 200, 0, 1, 0\n[fine]\n"},
     "Move the object out of the approach cells, or give the slowdown 0 as its fifth number."},
    {FailureCode::speed_boards_on_taken_cell,
     "A speed board pair goes on the cell of its position / 50 + 1, which must be free; a "
     "direction board or another pair already stands there.",
     {route,
      "[generale]\nlunghezza percorso, 5000\n[indicazioni]\ncartello_indicatore, 2300, (P.L.)\n"
      "[cartelli]\nindicatori_vmax, 2300, 130, 135, 135, 0, 130, 135, 135, 0\n[fine]\n"},
     "Move one of the two boards to another 50 m cell."},
    {FailureCode::stations_too_close,
     "A station's zone must begin at least 350 m after the end of the previous station's zone.",
     {train, "[generale]\nstazione, 1000, 12, 300, " STATION_REST
             "\nstazione, 1600, 12, 300, " STATION_REST "\n[fine]\n"},
     "Move the stations further apart, or shorten them."},
    {FailureCode::stop_cell_before_line,
     "A station's stop cell is the cell before the end of its zone; it would be cell 1 or cell "
     "0, which the line does not allow.",
     {train, "[generale]\nstazione, 0, 12, 100, " STATION_REST "\n[fine]\n"},
     "Move the station further along the line, or lengthen it."},
    {FailureCode::read_fault,
     "A text file could not be read to the end: a number field holding something else or too "
     "large for its field, a record cut short by the end of the file, a record before the "
     "route's length, or a record reaching outside the tables. The message says which.",
     {train, "[generale]\nvelocita, 0\naderenza, 0, 100\n[fine]\n"},
     "Mend the field the message names; a record short of fields reads the next line's "
     "keyword as a number."},
    {FailureCode::no_route_file,
     "The route file does not exist, so nothing is compiled.",
     {TextFile::none, "scenario check --route missing.txt --train train.txt"},
     "Name an existing route file."},
    {FailureCode::no_general_section,
     "The route file holds no field with \"[generale]\", or only as its last field, so it has "
     "no general section.",
     {route, "lunghezza percorso, 5000\n[curve]\n[fine]\n"},
     "Begin the route file with a line \"[generale]\"."},
    {FailureCode::curve_refused,
     "A curve's keyword field names its class by one of the digits 1 to 6, and this one holds "
     "none; or the plan of the line would run past 1000000 m.",
     {route, "[generale]\nlunghezza percorso, 5000\n[curve]\ncurvad, 1300, 1000\n[fine]\n"},
     "Write the curve's class and side into its keyword: \"curvad4\" (right, class 4)."},
    {FailureCode::marker_in_use,
     "Cell 1 carries a reserved marker in its first value, which must be 0 when the pack comes "
     "to stamp it: an object at 0 m put a value there. The pack shows its error box and writes "
     "no binary file.",
     {route,
      "[generale]\nlunghezza percorso, 5000\n[indicazioni]\ncartello_indicatore, 0, (P.L.)\n"
      "[fine]\n"},
     "Move the object at 0 m to 50 m or beyond."},
    {FailureCode::integrity_code_in_use,
     "Cell 1 carries an integrity code in its second value, which must be 0 when the pack comes "
     "to stamp it: an object at 0 m put a value there. The pack shows its error box and writes "
     "no binary file.",
     {train, "[generale]\nrallentamento, 0, 0, 500, 0, 0, 5\n[fine]\n"},
     "Move the object at 0 m to 50 m or beyond."},
}};

#undef STATION_REST

constexpr std::array<FailureCode, kFailures.size()> codes() {
  std::array<FailureCode, kFailures.size()> all{};
  for (std::size_t i = 0; i < kFailures.size(); ++i) all[i] = kFailures[i].code;
  return all;
}

constexpr std::array<FailureCode, kFailures.size()> kCodes = codes();

}  // namespace

std::optional<Explanation> failure_explanation(FailureCode code) {
  const auto* found = std::find_if(kFailures.begin(), kFailures.end(),
                                   [code](const FailureText& f) { return f.code == code; });
  if (found == kFailures.end()) return std::nullopt;
  return Explanation{Level::error, error_meaning(code), found->meaning, found->example, found->fix};
}

std::span<const FailureCode> explained_failures() { return kCodes; }

}  // namespace scenario::check
