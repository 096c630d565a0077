#include "route/mountains.h"

#include <gtest/gtest.h>

#include "parse/read_fault.h"

namespace scenario {
namespace {

class Mountains : public ::testing::Test {
 protected:
  Mountains() { state.cells.emplace(300); }

  std::int32_t store(std::int32_t inizio, std::int32_t fine, std::int32_t tipo) {
    EXPECT_EQ(memo_montagna(state, inizio, fine, tipo), MountainReach::inside);
    return tipo;
  }
  TrackCell& cell(std::int64_t i) { return (*state.cells)[i]; }

  ScenarioState state;
};

TEST_F(Mountains, TypeAboveTenMarksEveryFourthEmptyCell) {
  cell(107).kind = CellKind::signal;
  cell(103).kind = CellKind::mountain_mark;
  // Cells 5000 / 50 = 100 to 5600 / 50 - 1 = 111.
  EXPECT_EQ(store(5000, 5600, 12), 2);
  EXPECT_EQ(cell(99).mountain_type, 0);
  EXPECT_EQ(cell(112).mountain_type, 0);
  for (int i = 100; i <= 111; ++i) {
    EXPECT_EQ(cell(i).mountain_type, 2) << i;
    const bool fourth = i == 103 || i == 107 || i == 111;
    if (!fourth) {
      EXPECT_EQ(cell(i).kind, CellKind::empty) << i;
    }
  }
  EXPECT_EQ(cell(103).kind, CellKind::mountain_mark);
  EXPECT_EQ(cell(107).kind, CellKind::signal);  // a taken cell keeps its object
  EXPECT_EQ(cell(111).kind, CellKind::mountain_mark);
  EXPECT_EQ(state.mountain_count, 1);
  EXPECT_EQ(state.mountain_start[1], 5000);
  EXPECT_EQ(state.mountain_end[1], 5600);
}

TEST_F(Mountains, AMountainWithinOneHundredFiftyMetresOfThePreviousIsTypeThree) {
  const struct {
    std::int32_t second_start;
    std::int32_t second_type;
    std::int32_t stored_type;
  } cases[] = {{2150, 5, 3}, {2151, 5, 5}, {1500, 7, 3}, {2150, 14, 3}, {2151, 14, 4}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.second_start);
    state = ScenarioState{};
    state.cells.emplace(300);
    store(1000, 2000, 1);
    EXPECT_EQ(store(c.second_start, c.second_start + 500, c.second_type), c.stored_type);
    EXPECT_EQ(cell(c.second_start / 50 + 1).mountain_type, c.stored_type);
    EXPECT_EQ(state.mountain_count, 2);
  }
}

TEST_F(Mountains, CellRangeIsRoundedHalvesToEven) {
  // 1025 / 50 = 20.5 -> 20; 1075 / 50 - 1 = 20.5 -> 20: one cell.
  store(1025, 1075, 4);
  EXPECT_EQ(cell(19).mountain_type, 0);
  EXPECT_EQ(cell(20).mountain_type, 4);
  EXPECT_EQ(cell(21).mountain_type, 0);
  // An end before the start writes no cell but is still listed.
  store(3000, 2000, 6);
  EXPECT_EQ(cell(59).mountain_type, 0);
  EXPECT_EQ(state.mountain_count, 2);
  // The low 8 bits of the type are stored: 270 is 260 with markers, 4 in one byte.
  EXPECT_EQ(store(8000, 8100, 270), 260);
  EXPECT_EQ(cell(160).mountain_type, 4);
}

TEST_F(Mountains, TheEightyFirstMountainIsAReadFault) {
  for (int i = 0; i < kMountainCapacity; ++i) store(100 * i, 100 * i + 50, 1);
  EXPECT_EQ(state.mountain_count, 80);
  EXPECT_THROW(store(9000, 9100, 1), ReadFault);
  // The list is full before its cells are looked at.
  EXPECT_THROW(store(-1000, 500, 1), ReadFault);
  EXPECT_EQ(state.mountain_count, 80);
}

// Cells 0 to 300. A mountain with a cell to write outside them is not stored at all; one with
// no cell to write is stored whatever its positions.
TEST_F(Mountains, CellsOutsideTheArrayRefuseTheMountain) {
  const struct {
    std::int32_t inizio, fine;
    MountainReach reach;
  } cases[] = {
      {14000, 16000, MountainReach::outside},  // cells 280 to 319
      {14000, 15100, MountainReach::outside},  // last cell 301
      {14000, 15050, MountainReach::inside},   // last cell 300
      {-100, 500, MountainReach::outside},     // first cell -2
      {-20, 20, MountainReach::inside},        // cells 0 to -1: none
      {20000, 100, MountainReach::inside},     // first after last: none
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.inizio);
    state = ScenarioState{};
    state.cells.emplace(300);
    std::int32_t tipo = 12;
    EXPECT_EQ(memo_montagna(state, c.inizio, c.fine, tipo), c.reach);
    EXPECT_EQ(state.mountain_count, c.reach == MountainReach::inside ? 1 : 0);
  }
  EXPECT_EQ(cell(300).mountain_type, 0);  // the last case wrote no cell
}

}  // namespace
}  // namespace scenario
