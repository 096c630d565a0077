#include "inspect/dump.h"

#include <gtest/gtest.h>

#include <bit>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

namespace scenario::inspect {
namespace {

template <class Write>
std::string written(Write write) {
  std::ostringstream stream;
  {
    TextOut out(stream);
    write(out);
  }
  return stream.str();
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Cells 0 to 5: a signal in cell 3 with its first approach mark in cell 1, a code change in
// cell 4 and a kind no object uses in cell 5; speed_limit 6 from cell 2 on.
std::vector<TrackCell> cells() {
  std::vector<TrackCell> cells(6);
  for (std::size_t i = 2; i < cells.size(); ++i) cells[i].speed_limit = 6;
  cells[1].marker = 61;
  cells[3].kind = CellKind::signal;
  cells[3].value1 = 50;
  cells[3].value4 = 6;
  cells[4].kind = CellKind::code_change;
  cells[4].value1 = 180;
  cells[5].kind = static_cast<CellKind>(9);
  return cells;
}

std::string cell_dump(DumpFormat format, const DumpFilter& filter) {
  return written([&](TextOut& out) { dump_cells(out, format, "L_T.dat", cells(), {}, filter); });
}

TEST(DumpCells, TextListsTheCellsThatHoldSomethingAndFiltersNarrowThem) {
  struct Case {
    const char* what;
    DumpFilter filter;
    std::vector<std::string> first_words;  // "cell <i> at <m> m:" of each line after the heading
  };
  DumpFilter all;
  all.all = true;
  DumpFilter signals;
  signals.kinds = {1, 12};
  DumpFilter range;
  range.from_metres = 60;
  range.to_metres = 200;
  DumpFilter empty_range;
  empty_range.from_metres = 300;
  const Case cases[] = {
      // Cell 0 holds nothing; cell 2 is where the speed limit changes.
      {"holding",
       {},
       {"cell 1 at 50 m:", "cell 2 at 100 m:", "cell 3 at 150 m:", "cell 4 at 200 m:",
        "cell 5 at 250 m:"}},
      {"all",
       all,
       {"cell 0 at 0 m:", "cell 1 at 50 m:", "cell 2 at 100 m:", "cell 3 at 150 m:",
        "cell 4 at 200 m:", "cell 5 at 250 m:"}},
      {"kinds", signals, {"cell 3 at 150 m:", "cell 4 at 200 m:"}},
      {"range", range, {"cell 2 at 100 m:", "cell 3 at 150 m:", "cell 4 at 200 m:"}},
      {"nothing in range", empty_range, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::vector<std::string> lines = lines_of(cell_dump(DumpFormat::text, c.filter));
    ASSERT_EQ(lines.size(), c.first_words.size() + 1);
    EXPECT_EQ(lines[0], "L_T.dat: cells 0 to 5, 50 m each");
    for (std::size_t k = 0; k < c.first_words.size(); ++k) {
      EXPECT_EQ(lines[k + 1].substr(0, c.first_words[k].size()), c.first_words[k]);
    }
  }
}

TEST(DumpCells, JsonHoldsEveryFieldOfEveryCell) {
  const auto dump = nlohmann::json::parse(cell_dump(DumpFormat::json, {}));
  EXPECT_EQ(dump["content"], "cells");
  EXPECT_TRUE(dump["route_length"].is_null());
  ASSERT_EQ(dump["cells"].size(), 6u);
  const auto& signal = dump["cells"][3];
  EXPECT_EQ(signal["index"], 3);
  EXPECT_EQ(signal["kind"]["code"], 1);
  EXPECT_EQ(signal["kind"]["name"], "signal");
  EXPECT_EQ(signal["value1"], 50);
  EXPECT_EQ(signal["value4"], 6);
  EXPECT_EQ(signal["speed_limit"], 6);
  EXPECT_TRUE(dump["cells"][5]["kind"]["name"].is_null());
  EXPECT_EQ(dump["cells"][1]["marker"], 61);
}

TEST(DumpCells, CsvHasOneHeaderAndOneRowPerCell) {
  const std::vector<std::string> lines = lines_of(cell_dump(DumpFormat::csv, {}));
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0],
            "index,metres,kind,kind_name,value1,value2,value3,value4,signal_time,marker,"
            "mountain_type,speed_limit,gradient,adhesion");
  EXPECT_EQ(lines[4], "3,150,1,signal,50,0,0,6,0,0,0,6,0,0");
  EXPECT_EQ(lines[6], "5,250,9,,0,0,0,0,0,0,0,6,0,0");
}

TableFile table() {
  TableFile table;
  table.slots[1].type = 12;
  table.slots[1].position = 8050;
  table.slots[1].name = "SELVANERA \"di\" SCOGLIERA";
  table.slots[1].time_s = 32440;
  table.slots[80].name = "Citt\xE0";
  table.slots[84].zone_end = 13800;
  return table;
}

TEST(DumpTable, FormatsShowNamesAsUtf8AndTimesAsAClock) {
  const std::string text =
      written([](TextOut& out) { dump_table(out, DumpFormat::text, "L_T.sim", table(), {}); });
  const std::vector<std::string> lines = lines_of(text);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "L_T.sim: scenario table, 87 slots, route length 13800 m");
  EXPECT_EQ(lines[1],
            "slot 1 (station) \"SELVANERA \"di\" SCOGLIERA\": type 12, zone_start 0, zone_end 0, "
            "position 8050, param4 0, param7 0, param8 0, param10 0, param11 0, param12 0, "
            "param9 0, param13 0, param6 0, param5 0, time_s 32440 (09:00:40)");
  EXPECT_EQ(lines[2], "slot 80 (board text) \"Citt\xC3\xA0\"");
  EXPECT_EQ(lines[3],
            "slot 84 (train and route): zone_start 0 (braked-mass percentage), zone_end 13800 "
            "(route length), position 0 (cars)");

  DumpFilter all;
  all.all = true;
  EXPECT_EQ(lines_of(written([&](TextOut& out) {
              dump_table(out, DumpFormat::text, "L_T.sim", table(), all);
            })).size(),
            88u);

  const auto json = nlohmann::json::parse(
      written([](TextOut& out) { dump_table(out, DumpFormat::json, "L_T.sim", table(), {}); }));
  ASSERT_EQ(json["slots"].size(), 87u);
  EXPECT_EQ(json["slots"][1]["name"], "SELVANERA \"di\" SCOGLIERA");
  EXPECT_EQ(json["slots"][80]["name"], "Citt\xC3\xA0");
  EXPECT_EQ(json["slots"][1]["time_s"], 32440);

  const std::vector<std::string> csv = lines_of(
      written([](TextOut& out) { dump_table(out, DumpFormat::csv, "L_T.sim", table(), {}); }));
  ASSERT_EQ(csv.size(), 88u);
  EXPECT_EQ(csv[2],
            "1,12,0,0,8050,0,\"SELVANERA \"\"di\"\" SCOGLIERA\",0,0,0,0,0,0,0,0,0,32440,"
            "09:00:40");
}

ProfileElement real(double v) { return {kRealTag, 0, std::bit_cast<std::uint64_t>(v)}; }

TEST(DumpProfile, RowsWithTheirTagsAndRealsThatJsonTakesAsReals) {
  ProfileFile profile;
  profile.last_row = 2;
  profile.elements = {{kWholeTag, 0, 0}, real(2.0),  {kEmptyTag, 0, 0},
                      {kWholeTag, 1, 0}, real(-0.0), {kRealTag, 0, 0x7FF8000000000001}};
  const std::string text = written(
      [&](TextOut& out) { dump_profile(out, DumpFormat::text, "L_linea.dat", profile, 0, {}); });
  EXPECT_EQ(text,
            "L_linea.dat: line profile, rows 0 to 2 (route length 0 m)\n"
            "row x y tag\n"
            "0 0 1 int16\n"
            "1 2 -0 real\n"
            "2 - nan empty/real\n");

  const auto json = nlohmann::json::parse(written([&](TextOut& out) {
    dump_profile(out, DumpFormat::json, "L_linea.dat", profile, std::nullopt, {});
  }));
  EXPECT_EQ(json["last_row"], 2);
  EXPECT_EQ(json["first_row"], 0);
  ASSERT_EQ(json["x"].size(), 3u);
  EXPECT_TRUE(json["x"][1]["value"].is_number_float());
  EXPECT_TRUE(json["y"][1]["value"].is_number_float());
  EXPECT_TRUE(std::signbit(json["y"][1]["value"].get<double>()));
  EXPECT_FALSE(json["x"][2].contains("value"));
  // A real JSON has no number for keeps its bytes.
  EXPECT_TRUE(json["y"][2]["value"].is_null());
  EXPECT_EQ(json["y"][2]["bits"], "7ff8000000000001");

  DumpFilter rows;
  rows.from_metres = 1;
  rows.to_metres = 1;
  const std::string csv = written(
      [&](TextOut& out) { dump_profile(out, DumpFormat::csv, "L_linea.dat", profile, 0, rows); });
  EXPECT_EQ(csv, "row,x_tag,x,y_tag,y\n1,5,2,5,-0\n");
}

}  // namespace
}  // namespace scenario::inspect
