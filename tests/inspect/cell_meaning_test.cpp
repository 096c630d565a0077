#include "inspect/cell_meaning.h"

#include <gtest/gtest.h>

#include <string>

namespace scenario::inspect {
namespace {

TrackCell signal_cell(std::int16_t v1, std::int16_t v2, std::int16_t v3, std::int16_t v4) {
  TrackCell cell;
  cell.kind = CellKind::signal;
  cell.value1 = v1;
  cell.value2 = v2;
  cell.value3 = v3;
  cell.value4 = v4;
  return cell;
}

TEST(CellMeaning, SignalAspectsComeBackFromTheirPackedValues) {
  struct Case {
    TrackCell cell;
    SignalAspects aspects;
  };
  // value1 = s1 x 10 + d1 ... value4 = rapp x 10 + sx x 3 + dx.
  const Case cases[] = {
      // The shipped signal at 11950 m: s1 5, s2 6, sx 2, the rest 0.
      {signal_cell(50, 60, 0, 6), {5, 0, 6, 0, 0, 0, 0, 2, 0}},
      // The one at 13200 m: rapp 1 as well.
      {signal_cell(30, 40, 0, 16), {3, 0, 4, 0, 0, 0, 1, 2, 0}},
      {signal_cell(79, 81, 92, 38), {7, 9, 8, 1, 9, 2, 3, 2, 2}},
  };
  for (const Case& c : cases) {
    const SignalAspects a = signal_aspects(c.cell);
    SCOPED_TRACE(c.cell.value4);
    EXPECT_EQ(a.s1, c.aspects.s1);
    EXPECT_EQ(a.d1, c.aspects.d1);
    EXPECT_EQ(a.s2, c.aspects.s2);
    EXPECT_EQ(a.d2, c.aspects.d2);
    EXPECT_EQ(a.s3, c.aspects.s3);
    EXPECT_EQ(a.d3, c.aspects.d3);
    EXPECT_EQ(a.rapp, c.aspects.rapp);
    EXPECT_EQ(a.sx, c.aspects.sx);
    EXPECT_EQ(a.dx, c.aspects.dx);
  }
}

TEST(CellMeaning, BoardPairSpeedsComeBackFromTheirPackedValues) {
  TrackCell cell;
  cell.kind = CellKind::speed_boards;
  // 130 / 5 + 130 x 20, 135 / 5 + 70 x 20, 0 / 5 + 50 x 20, stripes 3 x 10 + 1.
  cell.value1 = 2626;
  cell.value2 = 1427;
  cell.value3 = 1000;
  cell.value4 = 31;
  const BoardPair b = board_pair(cell);
  EXPECT_EQ(b.first_a, 130);
  EXPECT_EQ(b.second_a, 130);
  EXPECT_EQ(b.first_b, 70);
  EXPECT_EQ(b.second_b, 135);
  EXPECT_EQ(b.first_c, 50);
  EXPECT_EQ(b.second_c, 0);
  EXPECT_EQ(b.first_stripes, 3);
  EXPECT_EQ(b.second_stripes, 1);
}

TEST(CellMeaning, DescribesEachKindAsItWasBuilt) {
  SimTable table{};
  table[3].name = "SELVANERA";
  table[80].name = "(DEV.U.)";
  const auto cell = [](CellKind kind, std::int16_t v1, std::int16_t v2 = 0, std::int16_t v3 = 0) {
    TrackCell c;
    c.kind = kind;
    c.value1 = v1;
    c.value2 = v2;
    c.value3 = v3;
    c.speed_limit = 6;
    c.gradient = 112;
    c.adhesion = 100;
    return c;
  };
  TrackCell marked;
  marked.marker = 61;
  marked.mountain_type = 2;
  marked.gradient = 92;
  struct Case {
    TrackCell cell;
    std::int64_t index;
    std::string text;
  };
  const Case cases[] = {
      {cell(CellKind::station_stop, 3), 166,
       "station_stop slot 3 \"SELVANERA\"; speed_limit 6 (30), gradient 112 (+12), adhesion 100"},
      {cell(CellKind::direction_board, 80), 28,
       "direction_board (for 1350 m) slot 80 \"(DEV.U.)\"; speed_limit 6 (30), gradient "
       "112 (+12), adhesion 100"},
      {cell(CellKind::slowdown_start, 60, 0, 1), 97,
       "slowdown_start (for 4800 m) v 60, f_tt 1; speed_limit 6 (30), gradient 112 (+12), "
       "adhesion 100"},
      {cell(CellKind::slowdown_warning, 60, 30), 73,
       "slowdown_warning (for 3600 m) v 60, d_v 30; speed_limit 6 (30), gradient 112 (+12), "
       "adhesion 100"},
      {cell(CellKind::code_change, 180), 96,
       "code_change code 180; speed_limit 6 (30), gradient 112 (+12), adhesion 100"},
      // Values a kind gives no meaning to are shown as they stand; cell 1's are the stamps.
      {cell(CellKind::empty, 5121, 2353), 1,
       "empty; value1 5121 (marker), value2 2353 (OG code); speed_limit 6 (30), gradient 112 "
       "(+12), adhesion 100"},
      {cell(static_cast<CellKind>(7), 9), 5,
       "kind 7 (unknown); value1 9; speed_limit 6 (30), gradient 112 (+12), adhesion 100"},
      {marked, 238,
       "empty; marker 61, mountain_type 2; speed_limit 0 (0), gradient 92 (-8), adhesion 0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    EXPECT_EQ(describe_cell(c.cell, c.index, &table), c.text);
  }
  // Without the table a station is only its slot.
  EXPECT_EQ(describe_cell(cell(CellKind::station_stop, 3), 166, nullptr).substr(0, 20),
            "station_stop slot 3;");
}

TEST(CellMeaning, HoldsSomethingWhenAnyFieldOrAStretchValueChanges) {
  TrackCell before;
  before.speed_limit = 6;
  before.gradient = 100;
  before.adhesion = 100;
  TrackCell same = before;
  TrackCell faster = before;
  faster.speed_limit = 7;
  TrackCell marked = before;
  marked.marker = 81;
  TrackCell mark = before;
  mark.kind = CellKind::mountain_mark;
  EXPECT_FALSE(holds_something(same, before));
  EXPECT_TRUE(holds_something(faster, before));
  EXPECT_TRUE(holds_something(marked, before));
  EXPECT_TRUE(holds_something(mark, before));
  EXPECT_TRUE(holds_something(before, TrackCell{}));
}

TEST(CellMeaning, ClockTextOfSeconds) {
  const std::pair<std::int32_t, const char*> cases[] = {
      {0, "00:00:00"},
      {32440, "09:00:40"},
      {43200, "12:00:00"},
      {90061, "25:01:01"},
      {-61, "-00:01:01"},
      {2147483647, "596523:14:07"},
      {-2147483647 - 1, "-596523:14:08"},
  };
  for (const auto& [seconds, text] : cases) EXPECT_EQ(clock_text(seconds), text) << seconds;
}

}  // namespace
}  // namespace scenario::inspect
