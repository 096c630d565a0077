#include "output/integrity_codes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "straight_line.h"

namespace scenario {
namespace {

using testing::straight_line_state;

SimTable named(const std::string& train_number, const std::string& line_name) {
  SimTable table{};
  table[kTrainSlot].name = train_number;
  table[kLineSlot].name = line_name;
  return table;
}

TEST(IntegrityCodes, KeyOfTrain123OnLineAbcdefghijKlmnopqrstuvw) {
  const SimTable table = named("123", "Abcdefghij_Klmnopqrstuvw");
  EXPECT_EQ(integrity_key(table), "123abcdefghij_klmnopqrstu");
  // Codes: '1' '2' '3' = 49 50 51, a..j = 97..106, '_' = 95, k..u = 107..117.
  // OG = 150 + 1015 + 95 + 1232 = 2492.
  EXPECT_EQ(codice_gara_og(table), 2492);
  // ST = (49 + 2 * 50 + 3 * 51) + sum k=4..13 of k * (93 + k) + 14 * 95
  //      + sum k=15..25 of k * (92 + k) = 302 + 8710 + 1330 + 24750 = 35092.
  EXPECT_EQ(codice_gara_st(table), 35092);
}

TEST(IntegrityCodes, EmptyNamesLeaveTheFillerAlone) {
  const SimTable table = named("", "");
  EXPECT_EQ(integrity_key(table), "ttppzzrrqqvvssuuhhggffbbc");
  // Pairs t p z r q v s u h g f b = 116 112 122 114 113 118 115 117 104 103 102 98 (sum 1334),
  // then c = 99. OG = 2 * 1334 + 99 = 2767.
  EXPECT_EQ(codice_gara_og(table), 2767);
  // Pair i sits at positions 2i - 1 and 2i, weight 4i - 1: 3 * 116 + 7 * 112 + ... + 47 * 98
  // = 32426, plus 25 * 99 = 34901.
  EXPECT_EQ(codice_gara_st(table), 34901);
}

TEST(IntegrityCodes, IgnoreLetterCaseIncludingAccentedCapitals) {
  struct Case {
    const char* train_number;
    const char* upper;
    const char* lower;
  };
  const std::vector<Case> cases = {
      {"R123", "ABCDEFGHIJ_KLMNOPQRSTUVW", "abcdefghij_klmnopqrstuvw"},
      {"", "Vallombra Marina_Scogliera", "vallombra marina_scogliera"},
      // Code page 1252: À É Þ Š Œ Ž Ÿ lower to à é þ š œ ž ÿ.
      {"x", "\xC0\xC9\xDE\x8A\x8C\x8E\x9F", "\xE0\xE9\xFE\x9A\x9C\x9E\xFF"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.upper);
    const SimTable upper = named(c.train_number, c.upper);
    const SimTable lower = named(c.train_number, c.lower);
    EXPECT_EQ(integrity_key(upper), integrity_key(lower));
    EXPECT_EQ(codice_gara_og(upper), codice_gara_og(lower));
    EXPECT_EQ(codice_gara_st(upper), codice_gara_st(lower));
  }
}

TEST(IntegrityCodes, TakeNonAsciiCharactersAsUnsignedBytes) {
  // À lowers to à (224), followed by the first 24 letters of the filler (2 * 1334).
  const SimTable table = named("", "\xC0");
  EXPECT_EQ(integrity_key(table).front(), '\xE0');
  EXPECT_EQ(codice_gara_og(table), 224 + 2668);
  // The multiplication sign has no lower case and stays as it is.
  EXPECT_EQ(integrity_key(named("\xD7", "")).front(), '\xD7');
}

class StampMarkers : public ::testing::Test {
 protected:
  StampMarkers() : state(straight_line_state(13800, 0)) {
    state.sim_table[kTrainSlot].name = "123";
    state.sim_table[kLineSlot].name = "Abcdefghij_Klmnopqrstuvw";
  }
  SimSlot& line_slot() { return state.sim_table[kLineSlot]; }
  TrackCell& cell(int i) { return (*state.cells)[i]; }

  ScenarioState state;
};

TEST_F(StampMarkers, StoresTheMarkersAndTheCodesOfTheKeyExample) {
  EXPECT_EQ(stamp_markers(state), FailureCode::none);
  EXPECT_EQ(line_slot().param7, 610);
  EXPECT_EQ(line_slot().time_s, 35092);
  EXPECT_EQ(cell(1).value1, 5121);
  EXPECT_EQ(cell(1).value2, 2492);
  // Nothing else changes: the cells around cell 1 and the other fields of slot 85.
  EXPECT_EQ(cell(0), TrackCell{});
  EXPECT_EQ(cell(2), TrackCell{});
  EXPECT_EQ(cell(1).kind, CellKind::empty);
  EXPECT_EQ(line_slot().name, "Abcdefghij_Klmnopqrstuvw");
}

TEST_F(StampMarkers, StopsAtTheFirstReservedFieldInUse) {
  struct Case {
    const char* what;
    // Puts a value into the reserved fields of slot 85 and cell 1.
    std::function<void(SimSlot&, TrackCell&)> prepare;
    std::int32_t code;
    // The four reserved fields afterwards: slot 85 param7 and time_s, cell 1 value1 and value2.
    std::int16_t param7;
    std::int32_t time_s;
    std::int16_t value1;
    std::int16_t value2;
  };
  const std::vector<Case> cases = {
      {"slot marker in use", [](SimSlot& slot, TrackCell&) { slot.param7 = 12; }, 1250, 12, 0, 0,
       0},
      // A direction board at 0 m points cell 1 at its text in slot 80.
      {"cell marker in use", [](SimSlot&, TrackCell& cell) { cell.value1 = 80; }, 1250, 0, 0, 80,
       0},
      {"slot code in use", [](SimSlot& slot, TrackCell&) { slot.time_s = 99; }, 1251, 610, 99, 5121,
       0},
      {"cell code in use", [](SimSlot&, TrackCell& cell) { cell.value2 = 7; }, 1251, 610, 0, 5121,
       7},
      {"marker and code in use",
       [](SimSlot& slot, TrackCell&) {
         slot.param7 = 1;
         slot.time_s = 1;
       },
       1250, 1, 1, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    line_slot() = SimSlot{};
    line_slot().name = "Abcdefghij_Klmnopqrstuvw";
    cell(1) = TrackCell{};
    c.prepare(line_slot(), cell(1));

    EXPECT_EQ(code_number(stamp_markers(state)), c.code);
    EXPECT_EQ(line_slot().param7, c.param7);
    EXPECT_EQ(line_slot().time_s, c.time_s);
    EXPECT_EQ(cell(1).value1, c.value1);
    EXPECT_EQ(cell(1).value2, c.value2);
  }
}

TEST_F(StampMarkers, StampsOnlyTheSlotWhenTheCellsStopBeforeCell1) {
  state.cells.emplace(0);
  EXPECT_EQ(stamp_markers(state), FailureCode::none);
  EXPECT_EQ(line_slot().param7, 610);
  EXPECT_EQ(line_slot().time_s, 35092);
  EXPECT_EQ(*state.cells->all().begin(), TrackCell{});
}

}  // namespace
}  // namespace scenario
