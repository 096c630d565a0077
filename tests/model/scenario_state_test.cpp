#include "model/scenario_state.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "model/error_meanings.h"
#include "model/file_names.h"

namespace scenario {
namespace {

TEST(ScenarioState, StartsEmptyWithoutTables) {
  const ScenarioState state;
  EXPECT_FALSE(state.cells.has_value());
  EXPECT_FALSE(state.line_profile.has_value());
  for (const SimSlot& slot : state.sim_table) EXPECT_EQ(slot, SimSlot{});
  EXPECT_EQ(state.failure.number(), 0);
}

TEST(CellArray, HoldsCellsZeroToN) {
  const CellArray cells(416);
  EXPECT_EQ(cells.last_index(), 416);
  EXPECT_EQ(cells.all().size(), 417u);
  EXPECT_TRUE(cells.contains(0));
  EXPECT_TRUE(cells.contains(416));
  EXPECT_FALSE(cells.contains(417));
  EXPECT_FALSE(cells.contains(-1));
}

TEST(TrackCell, OnlyEmptyAndMountainMarkAreFree) {
  for (int code = 0; code < 256; ++code) {
    TrackCell cell;
    cell.kind = static_cast<CellKind>(code);
    EXPECT_EQ(cell.is_free(), code == 0 || code == 11) << code;
  }
}

TEST(LineProfile, TagsFollowFromTheSeedAndTheComputedRows) {
  LineProfile profile(10);
  EXPECT_EQ(profile.last_row(), 10);
  EXPECT_FALSE(profile.contains_row(11));
  profile.set_int16(0, 0, 0);
  profile.set_int16(1, 0, 0);
  profile.set_int16(1, 1, 1);
  profile.extend_straight(4);
  struct Case {
    std::int64_t row;
    int column;
    ProfileTag tag;
  };
  const Case cases[] = {
      {0, 0, ProfileTag::int16}, {1, 0, ProfileTag::int16},  {0, 1, ProfileTag::empty},
      {1, 1, ProfileTag::int16}, {2, 0, ProfileTag::real},   {4, 1, ProfileTag::real},
      {5, 0, ProfileTag::empty}, {10, 1, ProfileTag::empty},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(profile.tag(c.row, c.column), c.tag) << "row " << c.row << " column " << c.column;
  }
  EXPECT_EQ(profile.computed_end(), 5);
  EXPECT_EQ(profile.value(0, 1), 0.0);  // an empty seed element counts as 0
  EXPECT_EQ(profile.value(5, 1), 0.0);
}

// Each row continues the step of the two before it. From the seed (0, 0), (0, 1): straight
// rows add (0, 1); a turning row at k turns the step (dx, dy) into (dx + k dy, dy - k dx).
TEST(LineProfile, RowsContinueTheStepOfTheTwoBefore) {
  const double k = 0.001;
  LineProfile profile(8);
  profile.set_int16(0, 0, 0);
  profile.set_int16(0, 1, 0);
  profile.set_int16(1, 0, 0);
  profile.set_int16(1, 1, 1);
  profile.extend_straight(3);    // rows 2, 3: (0, 2), (0, 3)
  profile.extend_turning(5, k);  // row 4: step (k, 1); row 5: step (2k, 1 - k^2)
  profile.extend_straight(6);    // row 6 repeats row 5's step
  const ProfilePoint expected[] = {
      {0, 2}, {0, 3}, {k, 4}, {3 * k, 4 + (1 - k * k)}, {5 * k, 4 + 2 * (1 - k * k)}};
  PlanRows rows(profile);
  for (std::int64_t row = 2; row <= 6; ++row) {
    ASSERT_EQ(rows.next_row(), row);
    const ProfilePoint point = rows.next();
    EXPECT_NEAR(point.x, expected[row - 2].x, 1e-12) << row;
    EXPECT_NEAR(point.y, expected[row - 2].y, 1e-12) << row;
    // A single look-up computes the same row to the same bits.
    EXPECT_EQ(profile.value(row, 0), point.x) << row;
    EXPECT_EQ(profile.value(row, 1), point.y) << row;
  }
  EXPECT_EQ(rows.next_row(), profile.computed_end());
  EXPECT_EQ(profile.tag(7, 0), ProfileTag::empty);
}

TEST(LineProfile, RefusesRowsOutsideItAndAddsNothingForRowsAlreadyComputed) {
  LineProfile profile(10);
  EXPECT_THROW(profile.set_int16(2, 0, 1), std::logic_error);  // rows from 2 on are computed
  EXPECT_THROW(profile.extend_straight(11), std::logic_error);
  EXPECT_EQ(profile.computed_end(), 2);
  profile.extend_straight(6);
  profile.extend_turning(4, 0.002);  // behind the computed rows: nothing changes
  EXPECT_EQ(profile.computed_end(), 7);
  ASSERT_EQ(profile.runs().size(), 1U);
  // A run continuing the last one the same way joins it.
  profile.extend_straight(8);
  profile.extend_turning(9, 0.002);
  profile.extend_turning(10, 0.002);
  EXPECT_EQ(profile.runs(), (std::vector<PlanRun>{{9, false, 0.0}, {11, true, 0.002}}));
}

TEST(RecordFailure, ReplacesTheEarlierFailure) {
  ScenarioState state;
  record_failure(state, FailureCode::record_beyond_cells, 13850, TextFile::route, 12);
  state.failure.detail.text = "what the reader saw";
  EXPECT_EQ(state.failure.number(), 15);
  EXPECT_EQ(state.failure.error_position, 13850);
  EXPECT_EQ(state.failure.line, 12);
  record_failure(state, FailureCode::progressive_off_cells);
  EXPECT_EQ(state.failure.number(), 2);
  EXPECT_EQ(state.failure.error_position, 13850);
  EXPECT_EQ(state.failure.source, TextFile::none);
  EXPECT_EQ(state.failure.line, 0);
  EXPECT_TRUE(state.failure.detail.empty());
}

// Whether a code is recorded with a position is the meanings table's word, for every code.
TEST(RecordFailure, TakesAPositionExactlyForTheCodesThatCarryOne) {
  for (const ErrorMeaning& m : error_meanings()) {
    SCOPED_TRACE(code_number(m.code));
    ScenarioState state;
    state.failure.error_position = -1;
    if (m.has_position) {
      record_failure(state, m.code, 700);
      EXPECT_EQ(state.failure.error_position, 700);
      EXPECT_THROW(record_failure(state, m.code), std::logic_error);
    } else {
      record_failure(state, m.code);
      EXPECT_EQ(state.failure.error_position, -1);
      EXPECT_THROW(record_failure(state, m.code, 700), std::logic_error);
    }
    EXPECT_EQ(state.failure.error_code, m.code);
  }
}

// The numbers the system shows and stores for each failure.
TEST(FailureCode, HasTheSystemsNumbers) {
  const struct {
    FailureCode code;
    std::int32_t number;
  } cases[] = {
      {FailureCode::none, 0},
      {FailureCode::route_length_refused, 1},
      {FailureCode::progressive_off_cells, 2},
      {FailureCode::cab_start_off_cells, 3},
      {FailureCode::cab_end_off_cells, 4},
      {FailureCode::no_code_system, 5},
      {FailureCode::direction_board_on_taken_cell, 6},
      {FailureCode::code_change_on_taken_cell, 7},
      {FailureCode::station_position_off_cells, 8},
      {FailureCode::station_length_not_whole, 9},
      {FailureCode::stations_meet_boards, 10},
      {FailureCode::no_cell_before_signal, 11},
      {FailureCode::no_cell_in_approach_window, 12},
      {FailureCode::no_cell_through_slowdown, 13},
      {FailureCode::record_beyond_cells, 15},
      {FailureCode::signal_on_taken_cell, 16},
      {FailureCode::slowdown_warning_taken, 17},
      {FailureCode::slowdown_start_taken, 18},
      {FailureCode::slowdown_end_taken, 19},
      {FailureCode::slowdown_approach_taken, 20},
      {FailureCode::speed_boards_on_taken_cell, 21},
      {FailureCode::stations_too_close, 22},
      {FailureCode::stop_cell_before_line, 24},
      {FailureCode::read_fault, 25},
      {FailureCode::no_route_file, 101},
      {FailureCode::no_general_section, 102},
      {FailureCode::curve_refused, 103},
      {FailureCode::marker_in_use, 1250},
      {FailureCode::integrity_code_in_use, 1251},
  };
  for (const auto& c : cases) EXPECT_EQ(code_number(c.code), c.number);
}

TEST(FileNames, FollowTheScenarioIdentity) {
  ScenarioState state;
  state.line_name = "Vallombra Marina_Scogliera";
  state.train_number = "4127";
  EXPECT_EQ(route_text_name(state), "Vallombra Marina_Scogliera_linea.txt");
  EXPECT_EQ(train_text_name(state), "Vallombra Marina_Scogliera_4127-.txt");
  EXPECT_EQ(sheet_text_name(state), "Vallombra Marina_Scogliera_4127_scheda_treno.txt");
  EXPECT_EQ(slowdowns_text_name(state), "Vallombra Marina_Scogliera_4127_rallentamenti.txt");
  EXPECT_EQ(notes_text_name(state), "Vallombra Marina_Scogliera_4127_note.txt");
  state.line_name = "Alpha";
  state.train_number = "123";
  EXPECT_EQ(profile_file_name(state), "Alpha_linea.dat");
  EXPECT_EQ(table_file_name(state), "Alpha_123.sim");
  EXPECT_EQ(cells_file_name(state), "Alpha_123.dat");
}

}  // namespace
}  // namespace scenario
