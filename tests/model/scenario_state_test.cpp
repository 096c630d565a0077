#include "model/scenario_state.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "model/file_names.h"

namespace scenario {
namespace {

TEST(ScenarioState, StartsEmptyWithoutTables) {
  const ScenarioState state;
  EXPECT_FALSE(state.cells.has_value());
  EXPECT_FALSE(state.line_profile.has_value());
  for (const SimSlot& slot : state.sim_table) EXPECT_EQ(slot, SimSlot{});
  EXPECT_EQ(state.error_code, 0);
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

TEST(LineProfile, KeepsEachElementsTag) {
  LineProfile profile(20800);
  EXPECT_EQ(profile.last_row(), 20800);
  EXPECT_FALSE(profile.contains_row(20801));
  profile.set_int16(1, 1, 1);
  profile.set_real(2, 1, 2.0);
  EXPECT_EQ(profile.tag(0, 0), ProfileTag::empty);
  EXPECT_EQ(profile.tag(1, 1), ProfileTag::int16);
  EXPECT_EQ(profile.tag(1, 0), ProfileTag::empty);
  EXPECT_EQ(profile.tag(2, 1), ProfileTag::real);
  EXPECT_EQ(profile.value(1, 1), 1.0);
  EXPECT_EQ(profile.value(2, 1), 2.0);
}

TEST(LineProfile, TagsFollowFromTheSeedAndTheComputedRows) {
  LineProfile profile(10);
  profile.set_int16(0, 0, 0);
  profile.set_int16(1, 0, 0);
  for (std::int64_t row = 2; row <= 4; ++row) profile.set_real(row, 0, 0.5 * row);
  profile.set_real(2, 1, -1.0);
  profile.set_real(3, 0, 7.0);  // a row already computed may be set again
  struct Case {
    std::int64_t row;
    int column;
    ProfileTag tag;
    double value;
  };
  const Case cases[] = {
      {0, 0, ProfileTag::int16, 0.0},  {1, 0, ProfileTag::int16, 0.0},
      {2, 0, ProfileTag::real, 1.0},   {3, 0, ProfileTag::real, 7.0},
      {4, 0, ProfileTag::real, 2.0},   {5, 0, ProfileTag::empty, 0.0},
      {10, 0, ProfileTag::empty, 0.0}, {0, 1, ProfileTag::empty, 0.0},
      {1, 1, ProfileTag::empty, 0.0},  {2, 1, ProfileTag::real, -1.0},
      {3, 1, ProfileTag::empty, 0.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "row " << c.row << " column " << c.column);
    EXPECT_EQ(profile.tag(c.row, c.column), c.tag);
    EXPECT_EQ(profile.value(c.row, c.column), c.value);
  }
  EXPECT_EQ(profile.computed_end(0), 5);
  EXPECT_EQ(profile.computed_end(1), 3);
}

TEST(LineProfile, RefusesARowThatWouldLeaveAGapOrTakeTheSeedsPlace) {
  LineProfile profile(10);
  profile.set_real(2, 0, 1.0);
  EXPECT_THROW(profile.set_real(4, 0, 1.0), std::logic_error);  // row 3 would have no value
  EXPECT_THROW(profile.set_real(1, 0, 1.0), std::logic_error);  // rows 0 and 1 are 16-bit
  EXPECT_THROW(profile.set_int16(2, 0, 1), std::logic_error);
  EXPECT_EQ(profile.tag(4, 0), ProfileTag::empty);
  EXPECT_EQ(profile.computed_end(0), 3);
}

TEST(LineProfile, ACopyKeepsEveryTagAndValue) {
  LineProfile profile(6);
  profile.set_int16(1, 1, 1);
  for (std::int64_t row = 2; row <= 6; ++row) profile.set_real(row, 1, 10.0 + row);
  const LineProfile copy = profile;
  for (std::int64_t row = 0; row <= 6; ++row) {
    for (int column = 0; column < 2; ++column) {
      EXPECT_EQ(copy.tag(row, column), profile.tag(row, column)) << row << " " << column;
      EXPECT_EQ(copy.value(row, column), profile.value(row, column)) << row << " " << column;
    }
  }
}

TEST(RecordFailure, ReplacesTheEarlierFailure) {
  ScenarioState state;
  record_failure(state, 15, 13850, ErrorSource::route_file, 12);
  EXPECT_EQ(state.error_code, 15);
  EXPECT_EQ(state.error_position, 13850);
  EXPECT_EQ(state.error_line, 12);
  record_failure_keeping_position(state, 2);
  EXPECT_EQ(state.error_code, 2);
  EXPECT_EQ(state.error_position, 13850);
  EXPECT_EQ(state.error_source, ErrorSource::none);
  EXPECT_EQ(state.error_line, 0);
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
