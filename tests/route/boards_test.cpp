#include <gtest/gtest.h>

#include <string>

#include "parse/read_fault.h"
#include "route/direction_boards.h"
#include "route/speed_boards.h"

namespace scenario {
namespace {

class Boards : public ::testing::Test {
 protected:
  Boards() { state.cells.emplace(100); }
  TrackCell& cell(std::int64_t i) { return (*state.cells)[i]; }

  ScenarioState state;
  ParseContext context;
};

TEST_F(Boards, SpeedsArePackedFirstBoardInTheHundreds) {
  const struct {
    std::int32_t first;
    std::int32_t second;
    std::int16_t packed;
  } cases[] = {
      {130, 130, 2626}, {70, 75, 1415},    {50, 0, 1000},        {0, 495, 99}, {0, 37, 7},  // 7.4
      {0, 38, 8},                                                                           // 7.6
      {0, -5, -1},      {1638, 35, 32767}, {-1638, -40, -32768},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.first) + " " + std::to_string(c.second));
    state.cells.emplace(100);
    memo_indicatori_v_max(
        state, context, 100,
        {.vas = c.first, .vbs = c.first, .vcs = 0, .vad = c.second, .vcd = c.second});
    EXPECT_EQ(cell(3).kind, CellKind::speed_boards);
    EXPECT_EQ(cell(3).value1, c.packed);
    EXPECT_EQ(cell(3).value3, c.packed - c.first * 20);
  }
}

TEST_F(Boards, StripeCountsWrapIn16Bits) {
  const struct {
    std::int32_t strisces;
    std::int32_t strisced;
    std::int16_t packed;
  } cases[] = {{0, 0, 0}, {3, 4, 34}, {9, 9, 99}, {3277, 0, 32770 - 65536}, {65536 + 3, 4, 34}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.strisces);
    state.cells.emplace(100);
    memo_indicatori_v_max(state, context, 0, {.strisces = c.strisces, .strisced = c.strisced});
    EXPECT_EQ(cell(1).value4, c.packed);
  }
}

TEST_F(Boards, APackedSpeedOutside16BitsIsAReadFault) {
  EXPECT_THROW(memo_indicatori_v_max(state, context, 100, {.vbs = 1638, .vbd = 38}), ReadFault);
  EXPECT_THROW(memo_indicatori_v_max(state, context, 500, {.vcs = -1639}), ReadFault);
}

TEST_F(Boards, ABoardReplacesAMountainMarkButNotAnObject) {
  cell(3).kind = CellKind::mountain_mark;
  cell(3).mountain_type = 2;
  memo_indicatori_v_max(state, context, 100, {.vas = 10});
  EXPECT_EQ(cell(3).kind, CellKind::speed_boards);
  EXPECT_EQ(cell(3).mountain_type, 2);

  const TrackCell before = cell(3);
  memo_indicatori_v_max(state, context, 110, {.vas = 20});
  EXPECT_EQ(state.failure.number(), 21);
  EXPECT_EQ(state.failure.error_position, 110);
  EXPECT_EQ(cell(3), before);

  state.failure = RecordedFailure{};
  EXPECT_FALSE(store_direction_board(state, context, 120, "X"));
  EXPECT_EQ(state.failure.number(), 6);
  EXPECT_EQ(state.failure.error_position, 120);
  EXPECT_EQ(cell(3), before);
  EXPECT_EQ(context.next_board_slot, 80);
  EXPECT_EQ(state.sim_table[80].name, "");

  cell(5).kind = CellKind::mountain_mark;
  EXPECT_TRUE(store_direction_board(state, context, 200, "Y"));
  EXPECT_EQ(cell(5).kind, CellKind::direction_board);
}

TEST_F(Boards, DirectionBoardTextsFillSlotsFromEightyDown) {
  EXPECT_TRUE(store_direction_board(state, context, 1350, "(DEV.U.)"));
  EXPECT_TRUE(store_direction_board(state, context, 1850, "(  EX   )( BIVIO )(TORVANE)"));
  EXPECT_EQ(cell(28).kind, CellKind::direction_board);
  EXPECT_EQ(cell(28).value1, 80);
  EXPECT_EQ(cell(38).value1, 79);
  EXPECT_EQ(state.sim_table[80].name, "(DEV.U.)");
  EXPECT_EQ(state.sim_table[79].name, "(  EX   )( BIVIO )(TORVANE)");
  EXPECT_EQ(context.next_board_slot, 78);
}

TEST_F(Boards, NoSlotLeftAboveSlotZeroIsAReadFault) {
  context.next_board_slot = 1;
  EXPECT_TRUE(store_direction_board(state, context, 0, "last"));
  EXPECT_EQ(state.sim_table[1].name, "last");
  EXPECT_THROW(store_direction_board(state, context, 100, "one too many"), ReadFault);
  EXPECT_EQ(state.sim_table[0].name, "");
  EXPECT_EQ(cell(3).kind, CellKind::empty);
}

}  // namespace
}  // namespace scenario
