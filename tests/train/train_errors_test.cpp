#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "train_fixture.h"

namespace scenario::testing {
namespace {

std::string signal_at(std::int32_t position) {
  return "segnale, " + std::to_string(position) + ", 0, 1, 1, 1, 0, 0, 0, 0, 0, 0";
}
std::string station(std::int32_t position, int type, std::int32_t length) {
  return "stazione, " + std::to_string(position) + ", " + std::to_string(type) + ", " +
         std::to_string(length) + ", 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, S";
}
const std::string kSlowdown = "rallentamento, 4800, 60, 400, 1, 1, 0";  // cells 73, 97, 105, 72-69

constexpr std::int32_t kUnchanged = -1;

using TrainErrors = TrainParseTest;

// Every failure the train half records. Each file starts with a speed stretch of 30 from 0 m,
// which no record fills, so cell 0 shows whether the tails ran (speed 6) or not (0).
TEST_F(TrainErrors, RecordsEachFailureDeletesTheFileAndRunsTailsOnlyAfter15Or2) {
  const struct {
    const char* what;
    std::vector<std::string> records;
    std::int32_t code, position;
    bool tails;
    std::int32_t next_board_slot = kFirstBoardSlot;
    std::int32_t earlier_code = 0;  // left by the route half
    std::int32_t progressive_end = 0;
  } cases[] = {
      {"7: code change on an occupied cell",
       {signal_at(4750), "abbattimento, 4800, 180"},
       7,
       4800,
       false},
      {"8: station position off the cells", {station(25, 12, 700)}, 8, 25, false},
      {"9: station length not whole hundreds", {station(4000, 12, 650)}, 9, 4000, false},
      {"10: the sixth station meets the boards",
       {station(1000, 28, 100), station(2000, 28, 100), station(3000, 28, 100),
        station(4000, 28, 100), station(5000, 28, 100), station(6000, 28, 100)},
       10,
       kUnchanged,
       false,
       7},
      {"15: speed start beyond 50 N - 100",
       {"velocita, 8901, 60", signal_at(1000)},
       15,
       8901,
       true},
      {"15: station beyond 50 N - 800", {station(8250, 28, 100)}, 15, 8250, true},
      {"15: signal beyond", {signal_at(8901)}, 15, 8901, true},
      {"15: negative code-change position", {"abbattimento, -50, 1"}, 15, -50, true},
      {"15: slowdown end beyond N", {"rallentamento, 8000, 60, 1000, 0, 0, 0"}, 15, 8000, true},
      {"15: slowdown end before cell 0", {"rallentamento, 100, 60, -500, 0, 0, 0"}, 15, 100, true},
      {"15: slowdown start before cell 0",
       {"rallentamento, -100, 60, 400, 0, 0, 0"},
       15,
       -100,
       true},
      // The cells are tested in order: a taken warning or start cell fails before the end cell,
      // past the last cell, is reached.
      {"17 before an end beyond N",
       {signal_at(6800), "rallentamento, 8000, 60, 1000, 0, 0, 0"},
       17,
       8000,
       false},
      {"18 before an end beyond N",
       {signal_at(8000), "rallentamento, 8000, 60, 1000, 0, 0, 0"},
       18,
       8000,
       false},
      // Negative positions count only where a cell the record uses lies before cell 0.
      {"15: signal cell before cell 0", {signal_at(-100)}, 15, -100, true},
      {"16 on cell 0 from before 0 m", {signal_at(-30), signal_at(-40)}, 16, -40, false},
      {"7 on cell 0 from before 0 m", {signal_at(-30), "abbattimento, -20, 1"}, 7, -20, false},
      {"8: station before 0 m off the grid", {station(-75, 12, 700)}, 8, -75, false},
      {"24: station before 0 m whose stop cell is cell 1 or before",
       {station(-100, 12, 100)},
       24,
       kUnchanged,
       false},
      {"16: signal on an occupied cell", {signal_at(3000), signal_at(3010)}, 16, 3010, false},
      {"17: warning cell occupied", {signal_at(3600), kSlowdown}, 17, 4800, false},
      {"18: start cell occupied", {signal_at(4800), kSlowdown}, 18, 4800, false},
      {"19: end cell occupied", {signal_at(5200), kSlowdown}, 19, 4800, false},
      {"20: approach cell occupied", {signal_at(3450), kSlowdown}, 20, 4800, false},
      {"22: stations too close", {station(1000, 28, 300), station(1450, 28, 300)}, 22, 1450, false},
      {"24: stop cell at index 0", {station(0, 12, 100)}, 24, kUnchanged, false},
      {"2: a progressive off the cells", {}, 2, kUnchanged, true, kFirstBoardSlot, 0, 1025},
      {"2 replaces 15", {"abbattimento, 8901, 1"}, 2, 8901, true, kFirstBoardSlot, 0, 1025},
      {"15 left by the route half stops at the first signal",
       {signal_at(1000), signal_at(2000)},
       15,
       1000,
       false,
       kFirstBoardSlot,
       15},
      {"15 left by the route half stays when no signal follows",
       {station(1000, 28, 100)},
       15,
       kUnchanged,
       true,
       kFirstBoardSlot,
       15},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    state = ScenarioState{};
    state.cells.emplace(kLastCell);
    state.failure.error_code = FailureCode{c.earlier_code};
    state.failure.error_position = kUnchanged;
    state.sim_table[kProgressiveDueSlot].zone_end = c.progressive_end;
    context.next_board_slot = c.next_board_slot;
    std::string text = crlf_lines({"[generale]", "velocita, 0, 30"});
    for (const auto& record : c.records) text += crlf_lines({record});
    run(text + crlf_lines({"[fine]"}));

    EXPECT_EQ(state.failure.number(), c.code);
    EXPECT_EQ(state.failure.error_position, c.position);
    EXPECT_FALSE(train_file_exists());
    EXPECT_EQ(cell(0).speed_limit, c.tails ? 6 : 0);
    EXPECT_EQ(cell(177).speed_limit, c.tails ? 6 : 0);
  }
}

// A route of 11250 m (N = 365) with a board pair in cell 336, the warning cell of a slowdown at
// 17950 m whose end, (17950 + 9000) / 50 + 1 = 540, lies past the last cell.
TEST_F(TrainErrors, ASlowdownMeetsItsTakenCellsBeforeItsEndPastTheLastCell) {
  const struct {
    const char* what;
    bool warning_taken;
    std::int32_t code;
    bool tails;
  } cases[] = {
      {"warning cell taken: 17, the close-and-delete exit", true, 17, false},
      {"cells free: the end past N is 15, reading stops", false, 15, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    state = ScenarioState{};
    state.cells.emplace(365);
    if (c.warning_taken) cell(336).kind = CellKind::speed_boards;
    run(crlf_lines({"[generale]", "velocita, 0, 30", "rallentamento, 17950, 60, 9000, 0, 0, 0",
                    "numero vetture, 4", "[fine]"}));
    EXPECT_EQ(state.failure.number(), c.code);
    EXPECT_EQ(state.failure.error_position, 17950);
    EXPECT_EQ(slot(kTrainRouteSlot).position, 0);  // the record after it is never read
    EXPECT_EQ(cell(0).speed_limit, c.tails ? 6 : 0);
    EXPECT_EQ(cell(362).speed_limit, c.tails ? 6 : 0);
    EXPECT_EQ(cell(360).kind, CellKind::empty);  // start cell 360 stays free either way
    EXPECT_FALSE(train_file_exists());
  }
}

// Negative positions that reach no cell before cell 0 are records like any other.
TEST_F(TrainErrors, NegativePositionsThatStayInTheCellsAreNoFailure) {
  run(crlf_lines({"[generale]", "velocita, -500, 60", "aderenza, -50, 90",
                  "segnale, -10, 2, 3, 4, 0, 1, 0, 0,0,0, 0", "abbattimento, -25, 180", "[fine]"}));
  EXPECT_EQ(state.failure.number(), 0);
  EXPECT_EQ(cell(0).kind, CellKind::code_change);  // -25 / 50 = -0.5 rounds to 0
  EXPECT_EQ(cell(1).kind, CellKind::signal);       // -10 / 50 + 1 = 0.8; its marks are left out
  EXPECT_EQ(cell(0).speed_limit, 12);              // the tail's speed: the stretch wrote nothing
  EXPECT_EQ(cell(0).adhesion, 90);
}

TEST_F(TrainErrors, Error15EndsTheRecordsButKeepsWhatCameBefore) {
  run(crlf_lines(
      {"[generale]", "numero vetture, 4", "abbattimento, 9000, 1", "sabbia, 3", "[fine]"}));
  EXPECT_EQ(state.failure.number(), 15);
  EXPECT_EQ(slot(kTrainRouteSlot).position, 4);
  EXPECT_EQ(slot(kTrainSlot).param7, 0);
}

TEST_F(TrainErrors, TheSixthStationIsStoredBeforeError10) {
  context.next_board_slot = 7;
  std::string text = crlf_lines({"[generale]"});
  for (int k = 1; k <= 6; ++k) text += crlf_lines({station(1000 * k, 28, 100)});
  run(text);
  EXPECT_EQ(state.failure.number(), 10);
  EXPECT_EQ(slot(6).position, 6000);
}

TEST_F(TrainErrors, PlacesHandPlacedCodeChanges) {
  const struct {
    std::int32_t value;
    CellKind kind;
    std::int16_t value1;
  } cases[] = {
      {180, CellKind::code_change, 180},
      {1, CellKind::code_change, 1},
      {0, CellKind::code_cut, 0},
      {-5, CellKind::code_cut, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    state = ScenarioState{};
    state.cells.emplace(kLastCell);
    cell(96).kind = CellKind::mountain_mark;  // gives way
    run(crlf_lines({"[generale]", "abbattimento, 4800, " + std::to_string(c.value), "[fine]"}));
    EXPECT_EQ(state.failure.number(), 0);
    EXPECT_EQ(cell(96).kind, c.kind);
    EXPECT_EQ(cell(96).value1, c.value1);
  }
}

}  // namespace
}  // namespace scenario::testing
