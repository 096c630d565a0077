#include "inspect/set_checks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/rounding.h"
#include "output/integrity_codes.h"
#include "support/layout_bytes.h"

namespace scenario::inspect {
namespace {

using testing::LayoutBytes;

// A set of line "Prova", train "7" and route length 0: cells 0 to 140, profile rows 0 to 7000.
constexpr std::int32_t kRouteLength = 0;
constexpr int kCells = 141;
constexpr int kRows = 7001;
constexpr std::uint64_t kSlot85 = 85 * 34;  // every slot before it is empty

SimTable names() {
  SimTable table{};
  table[kLineSlot].name = "Prova";
  table[kTrainSlot].name = "7";
  return table;
}

std::string table_bytes(std::int32_t route_length = kRouteLength) {
  const SimTable named = names();
  LayoutBytes file;
  for (int k = 0; k < kSimSlotCount; ++k) {
    file.u8(0).i32(0).i32(k == kTrainRouteSlot ? route_length : 0).i32(0).u8(0);
    file.counted(named[static_cast<std::size_t>(k)].name);
    file.i16(k == kLineSlot ? 610 : 0).i16(0).i16(0).i16(0).i16(0).u8(0).u8(0).u8(0).u8(0);
    file.i32(k == kLineSlot ? codice_gara_st(named) : 0);
  }
  return file.bytes();
}

std::string cell_bytes(int count = kCells, std::uint8_t kind = 0, int kinds = 0) {
  LayoutBytes file;
  for (int i = 0; i < count; ++i) {
    const std::int64_t v1 = i == 1 ? 5121 : 0;
    const std::int64_t v2 = i == 1 ? low_16(codice_gara_og(names())) : 0;
    file.u8(i >= 10 && i < 10 + kinds ? kind : 0).i16(v1).i16(v2).i16(0).i16(0);
    file.u8(0).u8(0).u8(0).u8(0).u8(0).u8(0);
  }
  return file.bytes();
}

std::string profile_bytes() { return std::string(2 * kRows * 2, '\0'); }

CompiledFile file(const std::string& name, std::string bytes) { return {name, name, bytes}; }

TableFile decoded(const CompiledFile& table) {
  std::optional<TableFile> result;
  EXPECT_TRUE(check_table(table, result).empty());
  return *result;
}

TEST(SetChecks, AWholeSetHasNoProblem) {
  const CompiledFile table = file("Prova_7.sim", table_bytes());
  std::optional<TableFile> read;
  EXPECT_EQ(check_table(table, read), std::vector<std::string>{});
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(check_cells(file("Prova_7.dat", cell_bytes()), table, *read),
            std::vector<std::string>{});
  EXPECT_EQ(check_profile(file("Prova_linea.dat", profile_bytes()), table, *read),
            std::vector<std::string>{});
}

TEST(SetChecks, TableProblemsNameTheByte) {
  std::string marker = table_bytes();
  marker[kSlot85 + 16 + 5] = 0x63;  // 610 is 0x0262; 0x0263 is 611
  std::string code = table_bytes();
  code[kSlot85 + 30 + 5] ^= 1;
  const std::int32_t st = codice_gara_st(names());
  struct Case {
    CompiledFile table;
    std::vector<std::string> problems;
  };
  const Case cases[] = {
      {file("Prova_7.sim", marker),
       {"Prova_7.sim: byte 2911: slot 85 param7 is 611, not the marker 610"}},
      {file("Prova_7.sim", code),
       {"Prova_7.sim: byte 2925: slot 85 time_s is " + std::to_string(st ^ 1) +
        ", but the ST code of the names in slots 85 and 86 is " + std::to_string(st)}},
      {file("Prova_7.sim", table_bytes(1000001)),
       {"Prova_7.sim: byte 2861: slot 84 zone_end holds the route length 1000001, outside 0 to "
        "1000000 m"}},
      {file("Prova_7.sim", table_bytes(-1)),
       {"Prova_7.sim: byte 2861: slot 84 zone_end holds the route length -1, outside 0 to "
        "1000000 m"}},
      {file("Altra_7.sim", table_bytes()),
       {"Altra_7.sim: the names in slots 85 and 86 (line \"Prova\", train \"7\") belong in a file "
        "named \"Prova_7.sim\""}},
      {file("Prova_7.sim", table_bytes().substr(0, 100)),
       {"Prova_7.sim: byte 100: the file ends inside slot 2's time_s"}},
  };
  for (const Case& c : cases) {
    std::optional<TableFile> read;
    EXPECT_EQ(check_table(c.table, read), c.problems);
  }
}

TEST(SetChecks, CellProblemsNameTheByte) {
  const CompiledFile table = file("Prova_7.sim", table_bytes());
  const TableFile read = decoded(table);
  std::string marker = cell_bytes();
  marker[16] = 0x02;  // 5121 is 0x1401
  std::string code = cell_bytes();
  code[18] ^= 1;
  const std::int16_t og = low_16(codice_gara_og(names()));
  struct Case {
    CompiledFile cells;
    std::vector<std::string> problems;
  };
  const Case cases[] = {
      {file("Prova_7.dat", marker),
       {"Prova_7.dat: byte 16: cell 1 value1 is 5122, not the marker 5121"}},
      {file("Prova_7.dat", code),
       {"Prova_7.dat: byte 18: cell 1 value2 is " + std::to_string(og ^ 1) +
        ", but the OG code of the names in Prova_7.sim is " + std::to_string(og)}},
      {file("Prova_7.dat", cell_bytes(kCells, 9, 2)),
       {"Prova_7.dat: byte 150: cell 10 has the kind code 9, which no object uses",
        "Prova_7.dat: byte 165: cell 11 has the kind code 9, which no object uses"}},
      // One cell too many: the size is wrong, and the cells are still looked at.
      {file("Prova_7.dat", cell_bytes(kCells + 1, 7, 1)),
       {"Prova_7.dat: byte 2115: 15 bytes follow cells 0 to 140 (2115 bytes) (route length 0 m "
        "in slot 84 of Prova_7.sim)",
        "Prova_7.dat: byte 150: cell 10 has the kind code 7, which no object uses"}},
      {file("Prova_7.dat", cell_bytes().substr(0, 20)),
       {"Prova_7.dat: byte 20: the file ends inside cell 1: cells 0 to 140 take 2115 bytes, the "
        "file has 20 (route length 0 m in slot 84 of Prova_7.sim)"}},
      {file("Prova_7.dat", cell_bytes(1)),
       {"Prova_7.dat: byte 15: the file ends inside cell 1: cells 0 to 140 take 2115 bytes, the "
        "file has 15 (route length 0 m in slot 84 of Prova_7.sim)",
        "Prova_7.dat: there is no cell 1 for the marker 5121 and the OG code"}},
      {file("Prova_8.dat", cell_bytes()),
       {"Prova_8.dat: the names in slots 85 and 86 (line \"Prova\", train \"7\") belong in a file "
        "named \"Prova_7.dat\""}},
  };
  for (const Case& c : cases) EXPECT_EQ(check_cells(c.cells, table, read), c.problems);
}

TEST(SetChecks, ACellFileOfNoiseGivesTenKindLinesAndACount) {
  const CompiledFile table = file("Prova_7.sim", table_bytes());
  const std::vector<std::string> problems =
      check_cells(file("Prova_7.dat", cell_bytes(kCells, 200, 25)), table, decoded(table));
  ASSERT_EQ(problems.size(), 11u);
  EXPECT_EQ(problems[9],
            "Prova_7.dat: byte 285: cell 19 has the kind code 200, which no object uses");
  EXPECT_EQ(problems[10], "Prova_7.dat: 15 more cells have kind codes that no object uses");
}

TEST(SetChecks, ProfileProblems) {
  const CompiledFile table = file("Prova_7.sim", table_bytes());
  const TableFile read = decoded(table);
  std::string tag = profile_bytes();
  tag[2 * kRows] = 0x04;  // the first element of column 1
  struct Case {
    CompiledFile profile;
    std::vector<std::string> problems;
  };
  const Case cases[] = {
      {file("Prova_linea.dat", tag),
       {"Prova_linea.dat: byte 14002: the y of row 0 has the tag 4; a profile element is tagged "
        "0, 2 or 5 (route length 0 m in slot 84 of Prova_7.sim)"}},
      {file("Prova_linea.dat", profile_bytes() + "\x05"),
       {"Prova_linea.dat: byte 28004: 1 byte follows the 14002 elements of rows 0 to 7000 (route "
        "length 0 m in slot 84 of Prova_7.sim)"}},
      {file("Altra_linea.dat", profile_bytes()),
       {"Altra_linea.dat: the names in slots 85 and 86 (line \"Prova\", train \"7\") belong in a "
        "file named \"Prova_linea.dat\""}},
  };
  for (const Case& c : cases) EXPECT_EQ(check_profile(c.profile, table, read), c.problems);
}

}  // namespace
}  // namespace scenario::inspect
