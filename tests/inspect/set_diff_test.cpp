#include "inspect/set_diff.h"

#include <gtest/gtest.h>

#include <bit>
#include <limits>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "inspect/diff_report.h"

namespace scenario::inspect {
namespace {

ProfileElement whole(std::int16_t v) { return {kWholeTag, v, 0}; }
ProfileElement real(double v) { return {kRealTag, 0, std::bit_cast<std::uint64_t>(v)}; }

// Rows 0 to last_row with x = 0 and y = the row, as reals.
ProfileFile straight(std::int64_t last_row) {
  ProfileFile profile;
  profile.last_row = last_row;
  for (int column = 0; column < 2; ++column) {
    for (std::int64_t row = 0; row <= last_row; ++row) {
      profile.elements.push_back(real(column == 0 ? 0.0 : static_cast<double>(row)));
    }
  }
  return profile;
}

ProfileElement& element(ProfileFile& profile, std::int64_t row, int column) {
  return profile.elements[static_cast<std::size_t>(column * profile.rows() + row)];
}

DecodedSet set_with(std::int32_t route_length) {
  DecodedSet set;
  set.table.emplace();
  set.table->slots[kTrainRouteSlot].zone_end = route_length;
  set.table->slots[80].name = "(DEV.U.)";
  set.cells.emplace(5);
  set.profile = straight(9);
  set.table_shown = "A.sim";
  set.cells_shown = "A.dat";
  set.profile_shown = "A_linea.dat";
  return set;
}

TEST(SetDiff, IdenticalSetsHaveNoDifference) {
  const SetDiff diff = diff_sets(set_with(5000), set_with(5000));
  EXPECT_TRUE(diff.identical());
  ASSERT_EQ(diff.files.size(), 3u);
  for (const FileDiff& file : diff.files) EXPECT_TRUE(file.identical());
}

TEST(SetDiff, SlotsDifferFieldByField) {
  const DecodedSet a = set_with(5000);
  DecodedSet b = set_with(5000);
  b.table->slots[80].name = "(DEV.X.)";
  b.table->slots[84].zone_start = 90;
  b.table->slots[1].time_s = 32440;
  b.table->slots[1].param5 = 1;
  const SetDiff diff = diff_sets(a, b);
  EXPECT_FALSE(diff.identical());
  EXPECT_FALSE(diff.route_length.has_value());
  const FileDiff& table = diff.files[0];
  ASSERT_EQ(table.records.size(), 3u);
  EXPECT_EQ(table.differing, 3);
  EXPECT_EQ(table.records[0].index, 1);
  ASSERT_EQ(table.records[0].fields.size(), 2u);
  EXPECT_EQ(table.records[0].fields[0].field, "param5");
  EXPECT_EQ(table.records[0].fields[1].field, "time_s");
  EXPECT_EQ(table.records[0].fields[1].b, 32440);
  EXPECT_EQ(table.records[1].index, 80);
  ASSERT_EQ(table.records[1].fields.size(), 1u);
  EXPECT_EQ(table.records[1].fields[0].field, "name");
  EXPECT_EQ(table.records[1].fields[0].text->second, "(DEV.X.)");
  EXPECT_EQ(table.records[2].index, 84);
  EXPECT_EQ(table.records[2].fields[0].a, 0);
  EXPECT_EQ(table.records[2].fields[0].b, 90);
  EXPECT_TRUE(diff.files[1].identical());
  EXPECT_TRUE(diff.files[2].identical());
}

TEST(SetDiff, CellsDifferFieldByFieldAndExtraCellsAreOneRange) {
  DecodedSet a = set_with(5000);
  DecodedSet b = set_with(5100);
  (*a.cells)[2].kind = CellKind::signal;
  (*a.cells)[2].value1 = 50;
  (*a.cells)[0].marker = 61;
  b.cells->resize(7);
  const SetDiff diff = diff_sets(a, b);
  ASSERT_TRUE(diff.route_length.has_value());
  EXPECT_EQ(diff.route_length->first, 5000);
  EXPECT_EQ(diff.route_length->second, 5100);
  const FileDiff& cells = diff.files[1];
  ASSERT_EQ(cells.records.size(), 2u);
  EXPECT_EQ(cells.records[0].index, 0);
  ASSERT_EQ(cells.records[0].fields.size(), 1u);
  EXPECT_EQ(cells.records[0].fields[0].field, "marker");
  EXPECT_EQ(cells.records[1].index, 2);
  ASSERT_EQ(cells.records[1].fields.size(), 2u);
  EXPECT_EQ(cells.records[1].fields[0].field, "kind");
  EXPECT_EQ(cells.records[1].fields[0].a, 1);
  EXPECT_EQ(cells.records[1].fields[0].b, 0);
  EXPECT_EQ(cells.records[1].fields[1].field, "value1");
  ASSERT_TRUE(cells.extra.has_value());
  EXPECT_TRUE(cells.extra->in_b);
  EXPECT_EQ(cells.extra->first, 5);
  EXPECT_EQ(cells.extra->last, 6);

  std::ostringstream text;
  {
    TextOut out(text);
    diff_text(out, diff);
  }
  EXPECT_EQ(text.str(),
            "route length 5000 -> 5100 m\n"
            "A.sim -> A.sim\n"
            "  slot 84: zone_end 5000 -> 5100\n"
            "A.dat -> A.dat\n"
            "  cell 0 (0 m): marker 61 -> 0\n"
            "  cell 2 (100 m): kind signal -> empty; value1 50 -> 0\n"
            "  cells 5 to 6 only in B\n"
            "A.sim: 1 slot differs\n"
            "A.dat: 2 cells differ, 2 cells only in B\n"
            "A_linea.dat: identical\n");
}

TEST(SetDiff, ProfileRowsCompareAsNumbersWithTheirTagsInStretches) {
  DecodedSet a = set_with(5000);
  DecodedSet b = set_with(5000);
  b.profile = straight(11);
  for (std::int64_t row = 3; row <= 5; ++row) element(*b.profile, row, 0) = real(0.25);
  element(*a.profile, 8, 1) = whole(8);  // y = 8 either way, but a 16-bit value in A
  element(*a.profile, 6, 0) = real(-0.0);
  element(*a.profile, 7, 0) = real(std::numeric_limits<double>::quiet_NaN());
  element(*b.profile, 7, 0) = {kRealTag, 0, 0x7FF8000000000123};
  const SetDiff diff = diff_sets(a, b);
  const FileDiff& profile = diff.files[2];
  EXPECT_EQ(profile.differing, 4);
  ASSERT_EQ(profile.runs.size(), 2u);
  EXPECT_EQ(profile.runs[0].first, 3);
  EXPECT_EQ(profile.runs[0].last, 5);
  ASSERT_EQ(profile.runs[0].first_row.size(), 1u);
  EXPECT_EQ(profile.runs[0].first_row[0].column, 0);
  EXPECT_EQ(profile.runs[0].first_row[0].b.real(), 0.25);
  EXPECT_EQ(profile.runs[1].first, 8);
  EXPECT_EQ(profile.runs[1].last, 8);
  EXPECT_EQ(profile.runs[1].first_row[0].column, 1);
  ASSERT_TRUE(profile.extra.has_value());
  EXPECT_EQ(profile.extra->first, 10);
  EXPECT_EQ(profile.extra->last, 11);

  std::ostringstream json;
  {
    TextOut out(json);
    diff_json(out, diff);
  }
  const auto report = nlohmann::json::parse(json.str());
  EXPECT_FALSE(report["identical"].get<bool>());
  EXPECT_TRUE(report["route_length"].is_null());
  const auto& runs = report["files"][2]["runs"];
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0]["first"], 3);
  EXPECT_EQ(runs[0]["last"], 5);
  EXPECT_EQ(runs[1]["first_row"][0]["a"]["tag"], 2);
  EXPECT_EQ(runs[1]["first_row"][0]["b"]["value"].get<double>(), 8.0);
  EXPECT_EQ(report["files"][2]["only_in"]["side"], "b");
}

TEST(SetDiff, AFileOnOneSideOnly) {
  const DecodedSet a = set_with(5000);
  DecodedSet b = set_with(5000);
  b.profile.reset();
  const SetDiff diff = diff_sets(a, b);
  EXPECT_FALSE(diff.identical());
  ASSERT_EQ(diff.files.size(), 3u);
  EXPECT_TRUE(diff.files[2].one_sided());
  EXPECT_TRUE(diff.files[2].b_shown.empty());
}

}  // namespace
}  // namespace scenario::inspect
