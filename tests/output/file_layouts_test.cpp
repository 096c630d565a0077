#include "output/file_layouts.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "straight_line.h"
#include "support/test_support.h"

namespace scenario {
namespace {

using testing::bytes;
using testing::bytes_written;
using testing::straight_line_state;

std::string line_profile_bytes(const LineProfile& profile) {
  return bytes_written([&](ByteWriter& out) { write_line_profile(out, profile); });
}
std::string sim_table_bytes(const SimTable& table) {
  return bytes_written([&](ByteWriter& out) { write_sim_table(out, table); });
}
std::string cell_array_bytes(const CellArray& cells) {
  return bytes_written([&](ByteWriter& out) { write_cell_array(out, cells); });
}

// A 13800 m line: M = 13800 + 7000 rows in the profile, n = 20800 / 50 = 416 cells.
constexpr std::size_t kRouteLength = 13800;
constexpr std::size_t kM = kRouteLength + 7000;

TEST(LineProfileBytes, ColumnsOfALineThatStartsStraight) {
  const ScenarioState state = straight_line_state(kRouteLength, 1);
  const std::string file = line_profile_bytes(*state.line_profile);

  // Per column: rows 0 and 1 at 4 bytes, rows 2 to M - 2 at 10, rows M - 1 and M at 2.
  ASSERT_EQ(file.size(), 20 * kM - 36);
  const std::size_t column_1 = 10 * kM - 18;

  // Column 0: x = 0 in rows 0 and 1 as 16-bit values, then 0.0 as a real in row 2.
  EXPECT_EQ(file.substr(0, 18), bytes({0x02, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x05, 0x00,
                                       0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}));
  // Column 1: y = 0 and 1 as 16-bit values, then 2.0 (exponent 0x400) in row 2 and 3.0 in row 3.
  EXPECT_EQ(
      file.substr(column_1, 28),
      bytes({0x02, 0x00, 0x00, 0x00, 0x02, 0x00, 0x01, 0x00, 0x05, 0x00, 0x00, 0x00, 0x00, 0x00,
             0x00, 0x00, 0x00, 0x40, 0x05, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x08, 0x40}));
  // The two rows the route never reaches close each column with a bare tag 0.
  const std::string two_empty_elements = bytes({0x00, 0x00, 0x00, 0x00});
  EXPECT_EQ(file.substr(column_1 - 4, 4), two_empty_elements);
  EXPECT_EQ(file.substr(file.size() - 4), two_empty_elements);
  // Row M - 2 of column 1 is the last real: y = 20798 = 0x1.44F8p14, exponent 0x40D.
  EXPECT_EQ(file.substr(file.size() - 14, 10),
            bytes({0x05, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x4F, 0xD4, 0x40}));
}

// Each element's tag follows from how far the plan got; a profile is written the same whatever
// part of it was built.
TEST(LineProfileBytes, TagsFollowTheRowsThatWereSet) {
  const auto one_column = [](std::initializer_list<int> tagged) {
    std::string column;
    for (int tag : tagged) {
      column += bytes({tag, 0x00});
      if (tag == 2) column += bytes({0x00, 0x00});
      if (tag == 5) column += std::string(8, '\0');
    }
    return column;
  };
  struct Case {
    const char* what;
    bool seeded;
    std::int32_t computed_rows;  // rows from 2 on, in both columns
    std::initializer_list<int> tags;
  };
  // A profile of rows 0 to 4.
  const Case cases[] = {
      {"nothing set", false, 0, {0, 0, 0, 0, 0}},
      {"seed only", true, 0, {2, 2, 0, 0, 0}},
      {"some rows computed", true, 2, {2, 2, 5, 5, 0}},
      {"every row computed", true, 3, {2, 2, 5, 5, 5}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LineProfile profile(4);
    if (c.seeded) {
      for (int column = 0; column < 2; ++column) {
        profile.set_int16(0, column, 0);
        profile.set_int16(1, column, 0);
      }
    }
    if (c.computed_rows > 0) profile.extend_straight(1 + c.computed_rows);
    const std::string column = one_column(c.tags);
    EXPECT_EQ(line_profile_bytes(profile), column + column);
  }
}

TEST(SimTableBytes, PacksEachSlotWithItsNameCounted) {
  SimTable table{};
  SimSlot& station = table[1];
  station.type = 7;
  station.zone_start = 0x01020304;
  station.zone_end = -2;
  station.position = 1000;
  station.param4 = 9;
  station.name = "Castelmar";
  station.param7 = -1;
  station.param8 = 0x0102;
  station.param10 = 300;
  station.param11 = -300;
  station.param12 = 5;
  station.param9 = 0xAA;
  station.param13 = 0xBB;
  station.param6 = 0xCC;
  station.param5 = 0xDD;
  station.time_s = 8 * 3600 + 15 * 60 + 30;  // 29730 = 0x7422

  const std::string file = sim_table_bytes(table);

  ASSERT_EQ(file.size(), 87u * 34u + 9u);
  // Slot 0, never filled, takes 34 zero bytes: an empty name is a count of 0 and no text.
  EXPECT_EQ(file.substr(0, 34), std::string(34, '\0'));
  // Slot 1 takes 34 + 9 bytes.
  EXPECT_EQ(file.substr(34, 43),
            bytes({0x07,                                             // type
                   0x04, 0x03, 0x02, 0x01,                           // zone_start
                   0xFE, 0xFF, 0xFF, 0xFF,                           // zone_end
                   0xE8, 0x03, 0x00, 0x00,                           // position
                   0x09,                                             // param4
                   0x09, 0x00,                                       // name length
                   'C',  'a',  's',  't',  'e', 'l', 'm', 'a', 'r',  // name
                   0xFF, 0xFF,                                       // param7
                   0x02, 0x01,                                       // param8
                   0x2C, 0x01,                                       // param10
                   0xD4, 0xFE,                                       // param11
                   0x05, 0x00,                                       // param12
                   0xAA, 0xBB, 0xCC, 0xDD,     // param9, param13, param6, param5
                   0x22, 0x74, 0x00, 0x00}));  // time_s
  // Slot 2 follows directly and is empty again.
  EXPECT_EQ(file.substr(77, 34), std::string(34, '\0'));
}

TEST(CellArrayBytes, FifteenBytesACellInFieldOrder) {
  ScenarioState state = straight_line_state(kRouteLength, 0);
  TrackCell& board = (*state.cells)[2];
  board.kind = CellKind::direction_board;
  board.value1 = 80;
  board.value2 = -3;
  board.value3 = 0x1234;
  board.value4 = -32768;
  board.signal_time = 1;
  board.marker = 2;
  board.mountain_type = 3;
  board.speed_limit = 24;
  board.gradient = 105;
  board.adhesion = 7;

  const std::string file = cell_array_bytes(*state.cells);

  ASSERT_EQ(file.size(), 15u * 417u);
  EXPECT_EQ(file.substr(0, 30), std::string(30, '\0'));
  EXPECT_EQ(file.substr(30, 15), bytes({0x0E, 0x50, 0x00, 0xFD, 0xFF, 0x34, 0x12, 0x00, 0x80, 0x01,
                                        0x02, 0x03, 0x18, 0x69, 0x07}));
  EXPECT_EQ(file.substr(45), std::string(15 * 414, '\0'));
}

}  // namespace
}  // namespace scenario
