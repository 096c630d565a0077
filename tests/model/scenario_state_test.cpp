#include "model/scenario_state.h"

#include <gtest/gtest.h>

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

TEST(RecordFailure, ReplacesTheEarlierFailure) {
  ScenarioState state;
  record_failure(state, 15, 13850, TextFile::route, 12);
  EXPECT_EQ(state.error_code, 15);
  EXPECT_EQ(state.error_position, 13850);
  EXPECT_EQ(state.error_line, 12);
  record_failure_keeping_position(state, 2);
  EXPECT_EQ(state.error_code, 2);
  EXPECT_EQ(state.error_position, 13850);
  EXPECT_EQ(state.error_source, TextFile::none);
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
