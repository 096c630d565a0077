#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "inspect/cell_file.h"
#include "inspect/profile_file.h"
#include "inspect/route_extent.h"
#include "inspect/table_file.h"
#include "support/layout_bytes.h"

namespace scenario::inspect {
namespace {

using testing::LayoutBytes;

// Expected outcome of a reader on damaged bytes: nothing (it reads) or the byte and a piece of
// the message.
struct Fault {
  std::uint64_t offset;
  std::string words;
};

template <class T>
void expect_outcome(const LayoutResult<T>& result, const std::optional<Fault>& fault) {
  if (!fault) {
    EXPECT_TRUE(result.ok()) << result.fault().describe();
    return;
  }
  ASSERT_FALSE(result.ok());
  EXPECT_EQ(result.fault().file, "f");
  EXPECT_EQ(result.fault().offset, fault->offset) << result.fault().describe();
  EXPECT_NE(result.fault().problem.find(fault->words), std::string::npos)
      << result.fault().describe();
}

TEST(RouteExtent, CountsFollowFromTheRouteLength) {
  struct Case {
    std::int32_t length;
    std::int64_t last_row;
    std::int64_t last_cell;
    std::int64_t cells;
    std::int64_t elements;
  };
  const Case cases[] = {
      {13800, 20800, 416, 417, 41602},  // 20800 / 50 = 416
      {25, 7025, 140, 141, 14052},      // 140.5: the even neighbour
      {75, 7075, 142, 143, 14152},      // 141.5: the even neighbour
      {0, 7000, 140, 141, 14002},
      // 2147490647 / 50 = 42949812.94: computed without wrapping.
      {std::numeric_limits<std::int32_t>::max(), 2147490647, 42949813, 42949814, 4294981296},
      // So negative that there are no rows and no cells at all.
      {std::numeric_limits<std::int32_t>::min(), -2147476648, -42949533, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    const RouteExtent extent = route_extent(c.length);
    EXPECT_EQ(extent.last_row, c.last_row);
    EXPECT_EQ(extent.last_cell, c.last_cell);
    EXPECT_EQ(extent.cell_count(), c.cells);
    EXPECT_EQ(extent.profile_elements(), c.elements);
  }
  EXPECT_FALSE(is_compiled_route_length(-1));
  EXPECT_TRUE(is_compiled_route_length(0));
  EXPECT_TRUE(is_compiled_route_length(1000000));
  EXPECT_FALSE(is_compiled_route_length(1000001));
}

TEST(CellFile, DecodesEachFieldLittleEndian) {
  LayoutBytes file;
  file.u8(1).i16(-2).i16(5121).i16(32767).i16(-32768).u8(255).u8(61).u8(2).u8(6).u8(100).u8(77);
  file.u8(200).i16(0x0102).i16(0).i16(0).i16(0).u8(0).u8(0).u8(0).u8(0).u8(0).u8(0);
  const auto read = read_cell_file(file.bytes(), "f", 1);
  ASSERT_TRUE(read.ok()) << read.fault().describe();
  const auto& cells = read.value();
  ASSERT_EQ(cells.size(), 2u);
  EXPECT_EQ(cells[0].kind, CellKind::signal);
  EXPECT_EQ(cells[0].value1, -2);
  EXPECT_EQ(cells[0].value2, 5121);
  EXPECT_EQ(cells[0].value3, 32767);
  EXPECT_EQ(cells[0].value4, -32768);
  EXPECT_EQ(cells[0].signal_time, 255);
  EXPECT_EQ(cells[0].marker, 61);
  EXPECT_EQ(cells[0].mountain_type, 2);
  EXPECT_EQ(cells[0].speed_limit, 6);
  EXPECT_EQ(cells[0].gradient, 100);
  EXPECT_EQ(cells[0].adhesion, 77);
  // A code no object uses is kept as it stands, for the checks to report.
  EXPECT_EQ(static_cast<int>(cells[1].kind), 200);
  EXPECT_EQ(cells[1].value1, 258);
}

TEST(CellFile, SizeMustBeExactlyTheCellsOfTheRouteLength) {
  struct Case {
    std::size_t size;
    std::int64_t last_cell;
    std::optional<Fault> fault;
  };
  const Case cases[] = {
      {30, 1, std::nullopt},
      {29, 1, Fault{29, "the file ends inside cell 1: cells 0 to 1 take 30 bytes"}},
      {31, 1, Fault{30, "1 byte follows cells 0 to 1"}},
      {0, -1, std::nullopt},
      {15, -1, Fault{0, "15 bytes follow no cells"}},
      // Counts no file could hold are refused by the size, before anything is allocated.
      {30, std::int64_t{1} << 40, Fault{30, "the file ends inside cell 2"}},
      {30, std::numeric_limits<std::int64_t>::max(), Fault{30, "the file ends inside cell 2"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.size << " bytes, last cell " << c.last_cell);
    expect_outcome(read_cell_file(std::string(c.size, '\0'), "f", c.last_cell), c.fault);
  }
}

// A table with a station in slot 1, a board text in slot 80 and the identity in 85 and 86.
std::string table_bytes() {
  LayoutBytes file;
  for (int k = 0; k < kSimSlotCount; ++k) {
    if (k == 1) {
      file.u8(12).i32(-350).i32(400).i32(0).u8(1).counted("VALLOMBRA");
      file.i16(4).i16(-1).i16(2).i16(3).i16(32767).u8(9).u8(13).u8(6).u8(5).i32(32440);
      continue;
    }
    const std::string name = k == 80 ? "(DEV.U.)" : k == 85 ? "Prova" : k == 86 ? "7" : "";
    file.u8(0).i32(0).i32(k == 84 ? 5000 : 0).i32(0).u8(0).counted(name);
    file.i16(k == 85 ? 610 : 0).i16(0).i16(0).i16(0).i16(0).u8(0).u8(0).u8(0).u8(0);
    file.i32(k == 85 ? -7 : 0);
  }
  return file.bytes();
}

TEST(TableFile, DecodesEverySlotWithItsName) {
  const std::string bytes = table_bytes();
  ASSERT_EQ(bytes.size(), 87u * 34 + 9 + 8 + 5 + 1);
  const auto read = read_table_file(bytes, "f");
  ASSERT_TRUE(read.ok()) << read.fault().describe();
  const TableFile& table = read.value();
  const SimSlot& station = table.slots[1];
  EXPECT_EQ(station.type, 12);
  EXPECT_EQ(station.zone_start, -350);
  EXPECT_EQ(station.zone_end, 400);
  EXPECT_EQ(station.position, 0);
  EXPECT_EQ(station.param4, 1);
  EXPECT_EQ(station.name, "VALLOMBRA");
  EXPECT_EQ(station.param7, 4);
  EXPECT_EQ(station.param8, -1);
  EXPECT_EQ(station.param10, 2);
  EXPECT_EQ(station.param11, 3);
  EXPECT_EQ(station.param12, 32767);
  EXPECT_EQ(station.param9, 9);
  EXPECT_EQ(station.param13, 13);
  EXPECT_EQ(station.param6, 6);
  EXPECT_EQ(station.param5, 5);
  EXPECT_EQ(station.time_s, 32440);
  EXPECT_EQ(table.slots[80].name, "(DEV.U.)");
  EXPECT_EQ(route_length_of(table), 5000);
  EXPECT_EQ(table.slots[85].param7, 610);
  EXPECT_EQ(table.slots[85].time_s, -7);
  // Slot 2 begins after slot 0 (34 bytes) and slot 1 (34 + 9); slot 85 after 83 empty slots
  // more and the board text.
  EXPECT_EQ(table.slot_offsets[2], 77u);
  EXPECT_EQ(table.slot_offsets[85], 85u * 34 + 9 + 8);
  EXPECT_EQ(table.after_name(85), 85u * 34 + 9 + 8 + 16 + 5);
}

TEST(TableFile, RefusesTruncatedOverlongAndHostileFiles) {
  const std::string good = table_bytes();
  const std::uint64_t slot_86 = 85u * 34 + 9 + 8 + 34 + 5;
  std::string long_name = good;
  long_name[slot_86 + 14] = '\xFF';
  long_name[slot_86 + 15] = '\xFF';
  struct Case {
    const char* what;
    std::string bytes;
    Fault fault;
  };
  const Case cases[] = {
      {"empty", "", {0, "the file ends inside slot 0's type"}},
      {"last byte missing",
       good.substr(0, good.size() - 1),
       {good.size() - 1, "the file ends inside slot 86's time_s"}},
      {"cut in a name",
       good.substr(0, 34 + 16 + 4),
       {34 + 14, "slot 1's name length 9 runs past the end of the file"}},
      {"name length past the end",
       long_name,
       {slot_86 + 14, "slot 86's name length 65535 runs past the end of the file"}},
      {"one byte more", good + '\0', {good.size(), "1 byte follows the 87 slots"}},
      // A cell file of 241 cells read as a table: 87 empty slots, then the rest.
      {"a cell file", std::string(241 * 15, '\0'), {87 * 34, "657 bytes follow the 87 slots"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    expect_outcome(read_table_file(c.bytes, "f"), std::optional<Fault>(c.fault));
  }
}

constexpr std::uint64_t kHalf = 0x3FE0000000000000;  // 0.5
constexpr std::uint64_t kTwo = 0x4000000000000000;   // 2.0

// Rows 0 to 3 as the route parse leaves a short line: rows 0 and 1 16-bit, row 2 real, row 3
// never reached.
std::string profile_bytes() {
  LayoutBytes file;
  file.u16(2).i16(0).u16(2).i16(0).u16(5).u64(kHalf).u16(0);
  file.u16(2).i16(0).u16(2).i16(1).u16(5).u64(kTwo).u16(0);
  return file.bytes();
}

TEST(ProfileFile, DecodesTaggedElementsColumnByColumn) {
  const auto read = read_profile_file(profile_bytes(), "f", 3);
  ASSERT_TRUE(read.ok()) << read.fault().describe();
  const ProfileFile& profile = read.value();
  EXPECT_EQ(profile.rows(), 4);
  EXPECT_EQ(profile.at(0, 0).tag, kWholeTag);
  EXPECT_EQ(profile.at(1, 1).whole, 1);
  EXPECT_EQ(profile.at(2, 0).tag, kRealTag);
  EXPECT_EQ(profile.at(2, 0).real(), 0.5);
  EXPECT_EQ(profile.at(2, 1).real(), 2.0);
  EXPECT_EQ(profile.at(3, 0).tag, kEmptyTag);
  EXPECT_EQ(profile.at(3, 1).tag, kEmptyTag);

  // The eight bytes of a real are kept as they are, even for a signalling NaN.
  LayoutBytes odd;
  odd.u16(5).u64(0x7FF0000000000001).u16(5).u64(0x8000000000000000);
  const auto kept = read_profile_file(odd.bytes(), "f", 0);
  ASSERT_TRUE(kept.ok());
  EXPECT_EQ(kept.value().at(0, 0).real_bits, 0x7FF0000000000001u);
  EXPECT_TRUE(std::signbit(kept.value().at(0, 1).real()));
}

TEST(ProfileFile, RefusesUnknownTagsCutElementsAndCountsNoFileHolds) {
  const std::string good = profile_bytes();  // 20 bytes a column: 4 + 4 + 10 + 2
  std::string tag_3 = good;
  tag_3[20 + 4] = '\x03';  // the y of row 1
  struct Case {
    const char* what;
    std::string bytes;
    std::int64_t last_row;
    std::optional<Fault> fault;
  };
  const Case cases[] = {
      {"whole", good, 3, std::nullopt},
      {"no rows", "", -1, std::nullopt},
      {"unknown tag", tag_3, 3, Fault{24, "the y of row 1 has the tag 3"}},
      {"cut in a real", good.substr(0, 20 + 8 + 5), 3, Fault{28, "ends inside the y of row 2"}},
      {"last element missing", good.substr(0, 38), 3,
       Fault{38, "the file ends after 7 of the 8 elements of rows 0 to 3"}},
      {"two bytes more", good + std::string(2, '\0'), 3,
       Fault{40, "2 bytes follow the 8 elements of rows 0 to 3"}},
      {"fewer rows than the file holds", good, 2,
       Fault{28, "12 bytes follow the 6 elements of rows 0 to 2"}},
      // The route length that would mean four thousand million elements: refused at once.
      {"route length meaning gigabytes", good,
       route_extent(std::numeric_limits<std::int32_t>::max()).last_row,
       Fault{40, "rows 0 to 2147490647 need at least"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    expect_outcome(read_profile_file(c.bytes, "f", c.last_row), c.fault);
  }
}

}  // namespace
}  // namespace scenario::inspect
