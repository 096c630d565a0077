#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "parse/read_fault.h"
#include "train_fixture.h"

namespace scenario::testing {
namespace {

using TrainRecords = TrainParseTest;

TEST_F(TrainRecords, StoresTheGeneralRecords) {
  run(crlf_lines({"[generale]", "numero vetture,    4", "percentuale massa frenata,    100",
                  "sabbia,    -3", "orologio,    10              10            40 ", "[fine]"}));
  EXPECT_EQ(slot(kTrainRouteSlot).position, 4);
  EXPECT_EQ(slot(kTrainRouteSlot).zone_start, 100);
  EXPECT_EQ(slot(kTrainSlot).param7, -3);
  EXPECT_EQ(slot(kTrainSlot).param10, 10);
  EXPECT_EQ(slot(kTrainSlot).param11, 10);
  EXPECT_EQ(slot(kTrainSlot).param12, 40);
  EXPECT_EQ(state.failure.number(), 0);
  EXPECT_FALSE(train_file_exists());
}

// Everything here is about which fields are taken as records, so each case ends by reading the
// car count and the sand value.
TEST_F(TrainRecords, FindsRecordsByTheKeywordRules) {
  const struct {
    const char* what;
    std::string text;
    std::int32_t cars;
    std::int16_t sand;
  } cases[] = {
      {"the opening ignores letter case", crlf_lines({"[GENERALE]", "numero vetture, 4", "[fine]"}),
       4, 0},
      {"fields before the opening are skipped",
       crlf_lines({"numero vetture, 9", "x [generale] y", "numero vetture, 4", "[fine]"}), 4, 0},
      {"no opening: no record is read", crlf_lines({"numero vetture, 4", "sabbia, 2", "[fine]"}), 0,
       0},
      {"keywords ignore letter case", crlf_lines({"[generale]", "NUMERO VETTURE, 4", "[fine]"}), 4,
       0},
      {"two keywords in one field read two records in the fixed order",
       crlf_lines({"[generale]", "sabbia e vetture, 4, 7", "[fine]"}), 4, 7},
      {"two separator fields are passed over",
       crlf_lines({"[generale]", "------", "-- sabbia", "numero vetture, 4", "[fine]"}), 4, 0},
      {"a third separator field is a keyword field",
       crlf_lines({"[generale]", "---", "---", "-- sabbia", "9", "numero vetture, 4", "[fine]"}), 4,
       9},
      {"extra fields and section heads are ignored",
       crlf_lines({"[generale]", "numero vetture, 4, 12, [vel_limite]", "[fine]"}), 4, 0},
      {"the last field is not interpreted", "[generale]\r\nnumero vetture, 4\r\nsabbia", 4, 0},
      {"a record on the last line is read whole", "[generale]\r\nsabbia, 5", 0, 5},
      {"an empty file", "", 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    state = ScenarioState{};
    state.cells.emplace(kLastCell);
    run(c.text);
    EXPECT_EQ(slot(kTrainRouteSlot).position, c.cars);
    EXPECT_EQ(slot(kTrainSlot).param7, c.sand);
    EXPECT_EQ(state.failure.number(), 0);
    EXPECT_FALSE(train_file_exists());
  }
}

TEST_F(TrainRecords, ReadsTheClockSeparatedByBlanksOrCommas) {
  for (const char* clock :
       {"orologio,  10   11  -12 ", "orologio, 10,11,-12", "orologio,10 ,11, -12"}) {
    SCOPED_TRACE(clock);
    run(crlf_lines({"[generale]", clock, "[fine]"}));
    EXPECT_EQ(slot(kTrainSlot).param10, 10);
    EXPECT_EQ(slot(kTrainSlot).param11, 11);
    EXPECT_EQ(slot(kTrainSlot).param12, -12);
  }
}

// The speed of each cell, as the stretches and the tail leave it, for a run of "velocita"
// records after a first one of 30 at 0 m. With N = 180 the tail runs to cell 177.
TEST_F(TrainRecords, LaysSpeedStretchesCellByCell) {
  struct Span {
    std::int64_t first, last;
    std::uint8_t speed;
  };
  const struct {
    const char* what;
    std::vector<std::string> records;
    std::vector<Span> expected;
  } cases[] = {
      {"a stretch from 0 m runs to cell N - 3", {}, {{0, 177, 6}, {178, 180, 0}}},
      {"a start at 25 m rounds to cell 0 and fills nothing",
       {"velocita, 25, 60"},
       {{0, 177, 12}, {178, 180, 0}}},
      {"a start at 75 m rounds to cell 2 and fills cells 0 and 1",
       {"velocita, 75, 60"},
       {{0, 1, 6}, {2, 177, 12}}},
      {"a start behind the fill still writes one cell with the old speed",
       {"velocita, 500, 40", "velocita, 250, 60"},
       {{0, 9, 6}, {10, 10, 8}, {11, 177, 12}}},
      {"a later start at 0 m writes nothing",
       {"velocita, 500, 40", "velocita, 0, 60"},
       {{0, 9, 6}, {10, 177, 12}}},
      {"a start at 50 N - 100 passes; the tail still writes one cell",
       {"velocita, 8900, 60"},
       {{0, 177, 6}, {178, 178, 12}, {179, 180, 0}}},
      {"speeds divide by 5 to the nearest integer", {"velocita, 100, 37"}, {{2, 177, 7}}},
      {"a fill standing at N writes nothing more; the tail writes cell N",
       {"velocita, 8900, 40", "velocita, 8900, 50", "velocita, 8900, 60", "velocita, 8900, 70"},
       {{0, 177, 6}, {178, 178, 8}, {179, 179, 10}, {180, 180, 14}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    state = ScenarioState{};
    state.cells.emplace(kLastCell);
    std::string text = crlf_lines({"[generale]", "velocita, 0, 30"});
    for (const auto& record : c.records) text += crlf_lines({record});
    run(text + crlf_lines({"[fine]"}));
    EXPECT_EQ(state.failure.number(), 0);
    for (const Span& span : c.expected) {
      for (std::int64_t i = span.first; i <= span.last; ++i) {
        ASSERT_EQ(cell(i).speed_limit, span.speed) << "cell " << i;
      }
    }
  }
}

TEST_F(TrainRecords, AdhesionKeepsTheLowByteOfItsValue) {
  run(crlf_lines(
      {"[generale]", "aderenza, 0, 100", "aderenza, 1000, 300", "aderenza, 2000, -1", "[fine]"}));
  EXPECT_EQ(cell(0).adhesion, 100);
  EXPECT_EQ(cell(19).adhesion, 100);
  EXPECT_EQ(cell(20).adhesion, 300 - 256);
  EXPECT_EQ(cell(39).adhesion, 300 - 256);
  EXPECT_EQ(cell(40).adhesion, 255);
  EXPECT_EQ(cell(177).adhesion, 255);
  EXPECT_EQ(cell(178).adhesion, 0);
  EXPECT_EQ(cell(0).speed_limit, 0);  // no speed record: the tail writes 0
}

// Faults that end the whole parse through the failure exit (error 25 in the caller).
TEST_F(TrainRecords, ThrowsAReadFaultForWhatCannotBeRead) {
  const struct {
    const char* what;
    std::string text;
  } cases[] = {
      {"a record cut off by the end of the file", "[generale]\r\norologio, 10 10\r\n"},
      {"a 16-bit field beyond 32767", crlf_lines({"[generale]", "sabbia, 32768", "[fine]"})},
      {"a byte field beyond 255",
       crlf_lines(
           {"[generale]", "stazione, 1000, 256, 100, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A", "[fine]"})},
      {"a number that is not one", crlf_lines({"[generale]", "numero vetture, 4a", "[fine]"})},
      {"a 32-bit field ten times below its lowest value",
       crlf_lines({"[generale]", "numero vetture, -21474836480", "[fine]"})},
      {"a speed whose fifth rounds to 256",
       crlf_lines({"[generale]", "velocita, 0, 1278", "[fine]"})},
      {"a negative speed", crlf_lines({"[generale]", "velocita, 0, -5", "[fine]"})},
      {"a station whose stop cell lies beyond N",
       crlf_lines(
           {"[generale]", "stazione, 8200, 12, 2000, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A", "[fine]"})},
      {"a station time beyond 32 bits",
       crlf_lines({"[generale]", "stazione, 1000, 28, 100, 0,0,0, 0,0,0, 0,0,0, 0, 600000,0,0, A",
                   "[fine]"})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    state = ScenarioState{};
    state.cells.emplace(kLastCell);
    EXPECT_THROW(run(c.text), ReadFault);
  }
  context.train_name = "missing-.txt";
  EXPECT_THROW(train_half(state, context), ReadFault);
}

TEST_F(TrainRecords, TheLargestSpeedFitsItsByte) {
  run(crlf_lines({"[generale]", "velocita, 0, 1277", "[fine]"}));
  EXPECT_EQ(cell(0).speed_limit, 255);
  EXPECT_EQ(state.failure.number(), 0);
}

}  // namespace
}  // namespace scenario::testing
