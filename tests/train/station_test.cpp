#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "train_fixture.h"

namespace scenario::testing {
namespace {

// A "stazione" line with the fields that shape the extent; the carried fields are zero.
std::string station(std::int32_t position, int type, std::int32_t length, int param5 = 0,
                    int param6 = 0) {
  return "stazione, " + std::to_string(position) + ", " + std::to_string(type) + ", " +
         std::to_string(length) + ", 0, " + std::to_string(param5) + ", " + std::to_string(param6) +
         ", 0,0,0, 0,0,0, 0, 0,0,0, S";
}

// First station used before every second one: zone 650 to 1400, stop cell 27.
const std::string kFirst = station(1000, 12, 700, 3, 1);

using Stations = TrainParseTest;

TEST_F(Stations, StoresEveryFieldOfTheSlot) {
  run(crlf_lines({"[generale]",
                  "stazione,    8050, 12,  500,  7, 0, 1,  4,-1,9,  2,300,1,    5,   9, 0,40, "
                  "SELVANERA di SCOGLIERA",
                  "[fine]"}));
  SimSlot expected;
  expected.position = 8050;
  expected.type = 12;
  expected.param4 = 7;
  expected.param7 = 4;
  expected.param8 = -1;
  expected.param9 = 9;
  expected.param10 = 2;
  expected.param11 = 300;
  expected.param12 = 1;
  expected.param13 = 5;
  expected.time_s = 9 * 3600 + 40;
  expected.name = "SELVANERA di SCOGLIERA";
  expected.zone_start = 8050 - 250;
  expected.zone_end = 8050 + 250 + 50;  // param6 extends the end, then is cleared (first station)
  EXPECT_EQ(slot(1), expected);
  EXPECT_EQ(state.failure.number(), 0);
}

// A second station after kFirst: its extent, the values its rules clear, and its cells.
TEST_F(Stations, SetsExtentMarksAndStopCellByType) {
  const struct {
    const char* what;
    std::string record;
    std::int32_t zone_start, zone_end;
    std::uint8_t param5, param6;
    std::int64_t stop;  // -1: no stop cell
    bool marks;         // 81 to 84 in the four cells before the stop cell
  } cases[] = {
      {"ordinary, 600 m, param6 set", station(3000, 12, 600, 3, 1), 2700, 3350, 3, 1, 66, true},
      {"ordinary below 600 m clears param5", station(3000, 12, 500, 3, 0), 2750, 3250, 0, 0, 64,
       true},
      {"type 6 ends 150 m past its position", station(3000, 6, 300, 0, 1), 2700, 3150, 0, 0, 62,
       false},
      {"type 8 spans its length both ways", station(3000, 8, 300, 0, 1), 2700, 3300, 0, 0, 65,
       true},
      {"type 25 and above has no stop cell", station(3000, 28, 300, 0, 1), 2850, 3200, 0, 1, -1,
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    state = ScenarioState{};
    state.cells.emplace(kLastCell);
    run(crlf_lines({"[generale]", kFirst, c.record, "[fine]"}));
    EXPECT_EQ(state.failure.number(), 0);
    EXPECT_EQ(slot(2).zone_start, c.zone_start);
    EXPECT_EQ(slot(2).zone_end, c.zone_end);
    EXPECT_EQ(slot(2).param5, c.param5);
    EXPECT_EQ(slot(2).param6, c.param6);

    std::int32_t stop_cells = 0;
    std::int32_t marked = 0;
    for (std::int64_t i = 30; i <= kLastCell; ++i) {
      if (cell(i).kind == CellKind::station_stop) ++stop_cells;
      if (cell(i).marker != 0) ++marked;
    }
    if (c.stop >= 0) {
      EXPECT_EQ(stop_cells, 1);
      EXPECT_EQ(cell(c.stop).kind, CellKind::station_stop);
      EXPECT_EQ(cell(c.stop).value1, 2);
    } else {
      EXPECT_EQ(stop_cells, 0);
    }
    EXPECT_EQ(marked, c.marks ? 4 : 0);
    if (c.marks) {
      for (int k = 1; k <= 4; ++k) EXPECT_EQ(cell(c.stop - k).marker, 80 + k);
    }
  }
}

TEST_F(Stations, TheFirstStationClearsParam5AndParam6AfterItsExtent) {
  run(crlf_lines({"[generale]", kFirst, "[fine]"}));
  EXPECT_EQ(slot(1).zone_start, 650);
  EXPECT_EQ(slot(1).zone_end, 1400);
  EXPECT_EQ(slot(1).param5, 0);
  EXPECT_EQ(slot(1).param6, 0);
  EXPECT_EQ(cell(27).kind, CellKind::station_stop);
  EXPECT_EQ(cell(27).value1, 1);
  for (int k = 1; k <= 4; ++k) EXPECT_EQ(cell(27 - k).marker, 80 + k);
}

TEST_F(Stations, MarksNoCellBelowIndex2) {
  // Zone end 200 m: stop cell 3, marks would go to cells 2, 1, 0, -1; only cell 2 gets one.
  run(crlf_lines({"[generale]", station(100, 12, 200), "[fine]"}));
  EXPECT_EQ(state.failure.number(), 0);
  EXPECT_EQ(cell(3).kind, CellKind::station_stop);
  EXPECT_EQ(cell(2).marker, 81);
  EXPECT_EQ(cell(1).marker, 0);
  EXPECT_EQ(cell(0).marker, 0);
}

TEST_F(Stations, KeepsStationsAtLeast350MetresApart) {
  // kFirst ends at 1400: a station of 300 m at 1900 starts at 1750, exactly 350 m later.
  run(crlf_lines({"[generale]", kFirst, station(1900, 28, 300), "[fine]"}));
  EXPECT_EQ(state.failure.number(), 0);
  EXPECT_EQ(slot(2).zone_start, 1750);

  state = ScenarioState{};
  state.cells.emplace(kLastCell);
  run(crlf_lines({"[generale]", kFirst, station(1850, 28, 300), "[fine]"}));
  EXPECT_EQ(state.failure.number(), 22);
  EXPECT_EQ(state.failure.error_position, 1850);
  EXPECT_FALSE(train_file_exists());
}

TEST_F(Stations, TheStopCellReplacesASignalButNotTheOtherWayRound) {
  const std::string signal = "segnale, 1300, 0, 1, 2, 3, 0, 0, 0, 0, 0, 0";  // cell 27
  run(crlf_lines({"[generale]", signal, kFirst, "[fine]"}));
  EXPECT_EQ(state.failure.number(), 0);
  EXPECT_EQ(cell(27).kind, CellKind::station_stop);
  EXPECT_EQ(cell(27).value1, 1);
  EXPECT_EQ(cell(27).value2, 20);  // the rest of the signal stays

  state = ScenarioState{};
  state.cells.emplace(kLastCell);
  run(crlf_lines({"[generale]", kFirst, signal, "[fine]"}));
  EXPECT_EQ(state.failure.number(), 16);
  EXPECT_EQ(state.failure.error_position, 1300);
}

TEST_F(Stations, TheBoundLeavesRoomFor800Metres) {
  // N = 180: (8200 + 800) / 50 = 180 passes.
  run(crlf_lines({"[generale]", station(8200, 28, 100), "[fine]"}));
  EXPECT_EQ(state.failure.number(), 0);
  EXPECT_EQ(slot(1).zone_end, 8250);
}

}  // namespace
}  // namespace scenario::testing
