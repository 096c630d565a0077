#include <gtest/gtest.h>

#include <string>

#include "route_fixture.h"

namespace scenario {
namespace {

using GeneralSection = RouteParse;

// A general section holding `lines`, with a route length so that the parse completes.
std::string general(std::initializer_list<std::string_view> lines) {
  return crlf_lines({"[generale]", "lunghezza percorso, 1000"}) + crlf_lines(lines) +
         crlf_lines({"[fine]"});
}

std::string dashes(int count) {
  std::string lines;
  for (int i = 0; i < count; ++i) lines += "-----\r\n";
  return lines;
}

TEST_F(GeneralSection, StoresTheGeneralData) {
  EXPECT_EQ(
      parse(crlf_lines(
          {"commento iniziale, con campi", "[GENERALE] della linea", "LUNGHEZZA Percorso,  13800",
           "progressiva chilometrica uno, 100, 50, 0", "progressiva chilometrica due, 200, 150, 1",
           "progressiva chilometrica tre, 300, 250, 0", "sfondo uno, 1", "sfondo due, 2",
           "sfondo tre, 3", "ripetizione segnali 4 codici, 500, 8050", "[curve]", "[fine]"})),
      RouteOutcome::read_train);
  EXPECT_EQ(state.failure.number(), 0);
  EXPECT_EQ(state.route_span, 20800);
  EXPECT_EQ(state.cells->last_index(), 416);
  EXPECT_EQ(state.line_profile->last_row(), 20800);
  EXPECT_EQ(state.sim_table[kTrainRouteSlot].zone_end, 13800);
  // Ascending keys "uno", "due", "tre" keep their slots; "due" has its flag set.
  EXPECT_EQ(state.sim_table[kProgressiveTreSlot].zone_start, 300);
  EXPECT_EQ(state.sim_table[kProgressiveDueSlot].zone_end, 250);
  EXPECT_EQ(state.sim_table[kProgressiveUnoSlot].zone_start, 100);
  const SimSlot& line = state.sim_table[kLineSlot];
  EXPECT_EQ(line.zone_start, 1);
  EXPECT_EQ(line.position, 2);
  EXPECT_EQ(line.zone_end, 3);
  const SimSlot& train = state.sim_table[kTrainSlot];
  EXPECT_EQ(train.zone_start, 500);
  EXPECT_EQ(train.zone_end, 8050);
  EXPECT_EQ(train.position, 4);
  EXPECT_FALSE(route_file_exists());
}

TEST_F(GeneralSection, SizesTheTablesWithHalvesToEven) {
  const struct {
    std::int32_t length;
    std::int32_t last_cell;
  } cases[] = {{25, 140}, {75, 142}, {0, 140}, {1000000, 20140}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.length);
    reset();
    parse(crlf_lines({"[generale]", "lunghezza percorso, " + std::to_string(c.length), "[fine]"}));
    EXPECT_EQ(state.failure.number(), 0);
    EXPECT_EQ(state.cells->last_index(), c.last_cell);
    EXPECT_EQ(state.line_profile->last_row(), c.length + 7000);
  }
}

TEST_F(GeneralSection, KeywordsFollowTheirCaseRules) {
  const struct {
    std::string line;
    std::int32_t SimSlot::*field;
    int slot;
    std::int32_t expected;
  } cases[] = {
      {"sfondo uno, 7", &SimSlot::zone_start, kLineSlot, 7},
      {"Sfondo uno, 7", &SimSlot::zone_start, kLineSlot, 0},
      {"sfondo UNO, 7", &SimSlot::zone_start, kLineSlot, 0},
      {"progressiva chilometrica tre, 100, 50, 0", &SimSlot::zone_start, kProgressiveTreSlot, 100},
      {"Progressiva chilometrica tre, 100, 50, 0", &SimSlot::zone_start, kProgressiveTreSlot, 0},
      {"ripetizione segnali 9 codici, 50, 100", &SimSlot::position, kTrainSlot, 9},
      {"Ripetizione segnali 9 codici, 50, 100", &SimSlot::position, kTrainSlot, 0},
      // Every matching test reads its own fields from the same keyword field.
      {"sfondo uno tre, 4, 6", &SimSlot::zone_start, kLineSlot, 4},
      {"sfondo uno tre, 4, 6", &SimSlot::zone_end, kLineSlot, 6},
      // "4" wins over "9"; a stretch ending at 0 means no cab signalling.
      {"ripetizione segnali 9 o 4 codici, 50, 100", &SimSlot::position, kTrainSlot, 4},
      {"ripetizione segnali 9 codici, 50, 0", &SimSlot::position, kTrainSlot, 0},
      // The words are found anywhere in the field.
      {"xsfondoxunox, 5", &SimSlot::zone_start, kLineSlot, 5},
      // A general record after the first section head has no effect.
      {"[curve], sfondo uno, 7", &SimSlot::zone_start, kLineSlot, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    reset();
    EXPECT_EQ(parse(general({c.line})), RouteOutcome::read_train);
    EXPECT_EQ(state.failure.number(), 0);
    EXPECT_EQ(state.sim_table[c.slot].*c.field, c.expected);
  }
}

TEST_F(GeneralSection, PassesOverTenCommentFieldsAndTakesTheEleventh) {
  const struct {
    std::string name;
    std::string lines;
    std::int32_t background;
  } cases[] = {
      {"ten passed over", dashes(10) + "sfondo uno, 7\r\n", 7},
      {"the eleventh is taken though it holds a dash", dashes(10) + "sfondo-uno, 7\r\n", 7},
      {"the twelfth is not", dashes(11) + "sfondo-uno, 7\r\n", 0},
      {"an eleventh head that does not begin with a dash ends the section",
       dashes(10) + "x-[fine]\r\nsfondo uno, 7\r\n", 0},
      {"an eleventh head beginning with a dash does not",
       dashes(10) + "-[fine]\r\nsfondo uno, 7\r\n", 7},
      {"blanks before the dash do not hide it", dashes(10) + "\"   -[x]\"\r\nsfondo uno, 7\r\n", 7},
      {"a dashed head among fewer comment fields is passed over",
       dashes(3) + "-[x]\r\nsfondo uno, 7\r\n", 7},
      {"a head needs both brackets", "[x\r\nsfondo uno, 7\r\n", 7},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    reset();
    parse(crlf_lines({"[generale]", "lunghezza percorso, 1000"}) + c.lines + "[fine]\r\n");
    EXPECT_EQ(state.failure.number(), 0);
    EXPECT_EQ(state.sim_table[kLineSlot].zone_start, c.background);
  }
}

TEST_F(GeneralSection, AFileEndingInsideTheSectionAfterItsLengthIsComplete) {
  EXPECT_EQ(parse(crlf_lines({"[generale]", "lunghezza percorso, 1000"})),
            RouteOutcome::read_train);
  EXPECT_EQ(state.failure.number(), 0);
  EXPECT_EQ(cell(157).gradient, 100);
  EXPECT_EQ(state.line_profile->tag(7998, 1), ProfileTag::real);
}

TEST_F(GeneralSection, TheLastFieldOfTheFileIsNeverInterpreted) {
  // Interpreted, "sfondo due" would read its number past the end of the file.
  EXPECT_EQ(parse("[generale]\r\nlunghezza percorso, 1000\r\nsfondo uno, 4\r\nsfondo due"),
            RouteOutcome::read_train);
  EXPECT_EQ(state.failure.number(), 0);
  EXPECT_EQ(state.sim_table[kLineSlot].zone_start, 4);
}

}  // namespace
}  // namespace scenario
