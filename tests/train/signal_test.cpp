#include <gtest/gtest.h>

#include <cstdint>

#include "train/signals.h"
#include "train_fixture.h"

namespace scenario::testing {
namespace {

using Signals = TrainParseTest;

TEST_F(Signals, PacksTheAspectsAndMarksTheApproach) {
  // sx 1, dx 2: side 3 * 1 + 2 = 5, marks 51 to 54.
  SignalRecord signal{.sx = 1,
                      .s1 = 5,
                      .s2 = 6,
                      .s3 = 7,
                      .rapp = 4,
                      .dx = 2,
                      .d1 = 1,
                      .d2 = 2,
                      .d3 = 3,
                      .tempo = 0};
  memo_segnale(state, 3000, signal);  // cell 61
  EXPECT_EQ(state.failure.number(), 0);
  EXPECT_EQ(cell(61).kind, CellKind::signal);
  EXPECT_EQ(cell(61).value1, 51);
  EXPECT_EQ(cell(61).value2, 62);
  EXPECT_EQ(cell(61).value3, 73);
  EXPECT_EQ(cell(61).value4, 40 + 3 + 2);
  for (int k = 1; k <= 4; ++k) EXPECT_EQ(cell(61 - 2 * k).marker, 50 + k);
  EXPECT_EQ(cell(60).marker, 0);
  EXPECT_EQ(cell(51).marker, 0);
}

TEST_F(Signals, KeepsTheTimeOnlyForSide2) {
  const struct {
    std::int32_t sx, tempo;
    std::uint8_t signal_time;
    std::int32_t raised;
  } cases[] = {
      {2, 50, 101, 101},  {2, 1, 101, 101},         {2, 100, 101, 101}, {2, 0, 0, 0},
      {2, 101, 101, 101}, {2, 300, 300 - 256, 300}, {1, 150, 0, 150},   {1, 50, 0, 101},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "sx " << c.sx << " tempo " << c.tempo);
    state = ScenarioState{};
    state.cells.emplace(kLastCell);
    SignalRecord signal{.sx = c.sx, .tempo = c.tempo};
    memo_segnale(state, 3000, signal);
    EXPECT_EQ(cell(61).signal_time, c.signal_time);
    EXPECT_EQ(signal.tempo, c.raised);
  }
}

TEST_F(Signals, TakesOnlyAFreeCell) {
  const struct {
    CellKind held;
    std::int32_t code;
  } cases[] = {
      {CellKind::mountain_mark, 0}, {CellKind::empty, 0},           {CellKind::direction_board, 16},
      {CellKind::speed_boards, 16}, {CellKind::slowdown_start, 16}, {CellKind::station_stop, 16},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.held));
    state = ScenarioState{};
    state.cells.emplace(kLastCell);
    cell(61).kind = c.held;
    SignalRecord signal{.sx = 0, .s1 = 5};
    memo_segnale(state, 3000, signal);
    EXPECT_EQ(state.failure.number(), c.code);
    if (c.code == 0) {
      EXPECT_EQ(cell(61).kind, CellKind::signal);
      EXPECT_EQ(cell(59).marker, 1);
    } else {
      // Refused: nothing written, not even the marks.
      EXPECT_EQ(cell(61).kind, c.held);
      EXPECT_EQ(cell(61).value1, 0);
      EXPECT_EQ(cell(59).marker, 0);
    }
  }
}

TEST_F(Signals, WritesMarksOverOccupiedCells) {
  cell(59).kind = CellKind::direction_board;
  cell(59).value1 = 80;
  SignalRecord signal{.sx = 2, .dx = 0};
  memo_segnale(state, 3000, signal);
  EXPECT_EQ(state.failure.number(), 0);
  EXPECT_EQ(cell(59).marker, 61);
  EXPECT_EQ(cell(59).kind, CellKind::direction_board);
  EXPECT_EQ(cell(59).value1, 80);
}

TEST_F(Signals, DropsMarksThatWouldFallBeforeCell0) {
  SignalRecord signal{.sx = 0, .dx = 1};
  memo_segnale(state, 200, signal);  // cell 5: marks for cells 3, 1, -1, -3
  EXPECT_EQ(state.failure.number(), 0);
  EXPECT_EQ(cell(5).kind, CellKind::signal);
  EXPECT_EQ(cell(3).marker, 11);
  EXPECT_EQ(cell(1).marker, 12);
  EXPECT_EQ(cell(0).marker, 0);
}

TEST_F(Signals, ValuesKeepTheLow16Bits) {
  SignalRecord signal{.s1 = 4000, .rapp = 7000, .d1 = 0};
  memo_segnale(state, 3000, signal);
  EXPECT_EQ(cell(61).value1, 40000 - 65536);
  EXPECT_EQ(cell(61).value4, 70000 - 65536);
}

TEST_F(Signals, ReadsTheRecordFromTheTrainFile) {
  run(crlf_lines({"[generale]", "segnale,   3000,   2, 5, 6,  0, 0,    1,  0,0,0, 40", "[fine]"}));
  EXPECT_EQ(state.failure.number(), 0);
  EXPECT_EQ(cell(61).kind, CellKind::signal);
  EXPECT_EQ(cell(61).value1, 50);
  EXPECT_EQ(cell(61).value4, 7);
  EXPECT_EQ(cell(61).signal_time, 101);
  EXPECT_EQ(cell(59).marker, 71);
}

}  // namespace
}  // namespace scenario::testing
