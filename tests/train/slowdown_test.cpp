#include <gtest/gtest.h>

#include <cstdint>

#include "train/slowdowns.h"
#include "train_fixture.h"

namespace scenario::testing {
namespace {

class Slowdowns : public TrainParseTest {
 protected:
  // Stores a slowdown whose cells all lie inside the cells.
  void store(const SlowdownRecord& slowdown) {
    EXPECT_EQ(memo_rallentamento(state, slowdown), SlowdownReach::inside);
  }
};

TEST_F(Slowdowns, LaysOutStartEndWarningAndApproach) {
  store({.x = 4800, .v = 60, .l = 400, .f_tt = 1, .f_ta = 1, .d_v = 0});
  EXPECT_EQ(state.failure.number(), 0);
  // End (4800 + 400) / 50 + 1 = 105, start 97, warning 3600 / 50 + 1 = 73, approach 72 to 69.
  for (std::int64_t i : {105, 97}) {
    EXPECT_EQ(cell(i).value1, 60);
    EXPECT_EQ(cell(i).value2, 0);
    EXPECT_EQ(cell(i).value3, 1);
  }
  EXPECT_EQ(cell(105).kind, CellKind::slowdown_end);
  EXPECT_EQ(cell(97).kind, CellKind::slowdown_start);
  EXPECT_EQ(cell(73).kind, CellKind::slowdown_warning);
  EXPECT_EQ(cell(73).value1, 60);
  EXPECT_EQ(cell(73).value2, 0);
  EXPECT_EQ(cell(73).value3, 0);
  for (int j = 0; j < 4; ++j) {
    EXPECT_EQ(cell(72 - j).kind, CellKind::slowdown_approach);
    EXPECT_EQ(cell(72 - j).value1, j + 1);
    EXPECT_EQ(cell(72 - j).value2, 0);
  }
  EXPECT_EQ(cell(68).kind, CellKind::empty);
  EXPECT_EQ(cell(74).kind, CellKind::empty);
}

TEST_F(Slowdowns, KeepsDVWhereItIsNotZero) {
  store({.x = 4800, .v = 60, .l = 400, .f_tt = 0, .f_ta = 1, .d_v = 30});
  for (std::int64_t i : {105, 97, 73}) EXPECT_EQ(cell(i).value2, 30);
  for (int j = 0; j < 4; ++j) EXPECT_EQ(cell(72 - j).value2, j + 1);
}

// The warning cell rounds (x - 1200) / 50 + 1 and the approach cells end at (x - 1200) / 50
// rounded on its own: for a quotient ending in .5 the two round apart, unless the approach would
// then start on the warning cell itself.
TEST_F(Slowdowns, PutsTheWarningAndApproachCellsFromX) {
  const struct {
    std::int32_t x, f_ta;
    std::int64_t warning;   // -1: none
    std::int64_t approach;  // first approach cell, -1: none
  } cases[] = {
      {1500, 1, -1, -1},  // no warning up to 1500 m, even with f_ta
      {1550, 1, 8, 7},    // 350 / 50 + 1
      {1550, 0, 8, -1},  {4850, 1, 74, 73},
      {4825, 1, 74, 72},  // 73.5 rounds to 74, 72.5 to 72: cell 73 stays between them
      {4875, 1, 74, 73},  // 74.5 and 73.5 both round to 74: the approach starts just before it
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.x);
    state = ScenarioState{};
    state.cells.emplace(kLastCell);
    EXPECT_EQ(memo_rallentamento(state, {.x = c.x, .v = 40, .l = 100, .f_tt = 0, .f_ta = c.f_ta}),
              SlowdownReach::inside);
    EXPECT_EQ(state.failure.number(), 0);
    std::int32_t warnings = 0, approaches = 0;
    for (const TrackCell& each : state.cells->all()) {
      warnings += each.kind == CellKind::slowdown_warning;
      approaches += each.kind == CellKind::slowdown_approach;
    }
    EXPECT_EQ(warnings, c.warning >= 0 ? 1 : 0);
    EXPECT_EQ(approaches, c.approach >= 0 ? 4 : 0);
    if (c.warning >= 0) {
      EXPECT_EQ(cell(c.warning).kind, CellKind::slowdown_warning);
    }
    for (int j = 0; c.approach >= 0 && j < 4; ++j) {
      EXPECT_EQ(cell(c.approach - j).kind, CellKind::slowdown_approach);
      EXPECT_EQ(cell(c.approach - j).value1, j + 1);
    }
  }
}

TEST_F(Slowdowns, AShortSlowdownEndsAsItsStart) {
  store({.x = 3000, .v = 40, .l = 20, .f_tt = 2, .f_ta = 0});
  // (3000 + 20) / 50 + 1 = 61.4: the end shares cell 61 with the start.
  EXPECT_EQ(cell(61).kind, CellKind::slowdown_start);
  EXPECT_EQ(cell(61).value1, 40);
  EXPECT_EQ(cell(61).value3, 2);
  EXPECT_EQ(cell(62).kind, CellKind::empty);
}

TEST_F(Slowdowns, RefusesOccupiedCellsInOrder) {
  // x 4800, l 400: warning 73, start 97, end 105, approach 72 to 69.
  const struct {
    std::int64_t occupied;
    std::int32_t code;
    bool main_cells_written;
  } cases[] = {
      {73, 17, false}, {97, 18, false}, {105, 19, false}, {72, 20, true}, {69, 20, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.occupied);
    state = ScenarioState{};
    state.cells.emplace(kLastCell);
    cell(c.occupied).kind = CellKind::speed_boards;
    store({.x = 4800, .v = 60, .l = 400, .f_tt = 1, .f_ta = 1});
    EXPECT_EQ(state.failure.number(), c.code);
    const CellKind expect_start = c.main_cells_written ? CellKind::slowdown_start
                                  : c.occupied == 97   ? CellKind::speed_boards
                                                       : CellKind::empty;
    EXPECT_EQ(cell(97).kind, expect_start);
    if (c.main_cells_written) {
      EXPECT_EQ(cell(105).kind, CellKind::slowdown_end);
      EXPECT_EQ(cell(73).kind, CellKind::slowdown_warning);
    }
    for (std::int64_t i = 69; i <= 72; ++i) {
      if (i != c.occupied) {
        EXPECT_EQ(cell(i).kind, CellKind::empty) << "cell " << i;
      }
    }
  }
}

TEST_F(Slowdowns, AMountainMarkGivesWay) {
  cell(97).kind = CellKind::mountain_mark;
  store({.x = 4800, .v = 60, .l = 400, .f_tt = 1, .f_ta = 1});
  EXPECT_EQ(state.failure.number(), 0);
  EXPECT_EQ(cell(97).kind, CellKind::slowdown_start);
}

TEST_F(Slowdowns, ReadsTheRecordFromTheTrainFile) {
  run(crlf_lines({"[generale]", "rallentamento, 4800, 60, 400, 1, 1, 0", "[fine]"}));
  EXPECT_EQ(state.failure.number(), 0);
  EXPECT_EQ(cell(97).kind, CellKind::slowdown_start);
  EXPECT_EQ(cell(105).kind, CellKind::slowdown_end);
  EXPECT_EQ(cell(69).kind, CellKind::slowdown_approach);
}

}  // namespace
}  // namespace scenario::testing
