#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "parse/read_fault.h"
#include "route_fixture.h"

namespace scenario {
namespace {

using RouteFailures = RouteParse;

// N times the same line.
std::string repeated(const std::string& line, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += line + "\r\n";
  return text;
}

TEST_F(RouteFailures, RouteFileMissingIs101AndNothingIsDeleted) {
  EXPECT_EQ(route_half(state, context), RouteOutcome::leave);
  EXPECT_EQ(state.failure.number(), 101);
  EXPECT_FALSE(state.cells.has_value());
}

TEST_F(RouteFailures, EachRecordedCodeEndsAsItShould) {
  const struct {
    std::string name;
    std::string text;
    std::int32_t code;
    std::int32_t position;  // 0 for the codes that carry none
    RouteOutcome outcome;
  } cases[] = {
      {"no [generale]", crlf_lines({"lunghezza percorso, 1000", "[fine]"}), 102, 0,
       RouteOutcome::leave},
      {"[generale] is the last field", crlf_lines({"preambolo", "[Generale]"}), 102, 0,
       RouteOutcome::leave},
      {"length above 1000000",
       crlf_lines({"[generale]", "lunghezza percorso, 1000001", "[curve]", "[fine]"}), 1, 0,
       RouteOutcome::leave},
      {"negative length", crlf_lines({"[generale]", "lunghezza percorso, -50", "[fine]"}), 1, 0,
       RouteOutcome::leave},
      {"cab stretch start",
       crlf_lines({"[generale]", "ripetizione segnali 9 codici, 25, 100", "x"}), 3, 0,
       RouteOutcome::leave},
      {"cab stretch end", crlf_lines({"[generale]", "ripetizione segnali 9 codici, 50, -25", "x"}),
       4, 0, RouteOutcome::leave},
      {"no code system", crlf_lines({"[generale]", "ripetizione segnali codici, 0, 100", "x"}), 5,
       0, RouteOutcome::leave},
      {"gradient beyond the cells", short_route(crlf_lines({"pendenza, 7901, 5"})), 15, 7901,
       RouteOutcome::read_train},
      {"board pair beyond the cells",
       short_route(crlf_lines({"indicatori_vmax, 8000, 1, 1, 1, 0, 1, 1, 1, 0"})), 15, 8000,
       RouteOutcome::read_train},
      {"negative position", short_route(crlf_lines({"cartello_indicatore, -100, X"})), 15, -100,
       RouteOutcome::read_train},
      {"mountain ending beyond the cells", short_route(crlf_lines({"montagna, 7000, 8100, 1"})), 15,
       7000, RouteOutcome::read_train},
      {"curve ending beyond the plan", short_route(crlf_lines({"curvad4, 7000, 1001"})), 15, 7000,
       RouteOutcome::read_train},
      // The class digit is looked for before the curve's rows run.
      {"curve without a class digit ending beyond the plan",
       short_route(crlf_lines({"curvad, 7000, 1001"})), 103, 0, RouteOutcome::leave},
      {"mountain starting before cell 0", short_route(crlf_lines({"montagna, -100, 500, 1"})), 15,
       -100, RouteOutcome::read_train},
      {"board pair before cell 0",
       short_route(crlf_lines({"indicatori_vmax, -100, 1, 1, 1, 0, 1, 1, 1, 0"})), 15, -100,
       RouteOutcome::read_train},
      {"curve without a class digit", short_route(crlf_lines({"curvad, 100, 10"})), 103, 0,
       RouteOutcome::leave},
      {"curve of class 7", short_route(crlf_lines({"curvas7, 100, 10"})), 103, 0,
       RouteOutcome::leave},
      {"direction board on a board",
       short_route(crlf_lines({"cartello_indicatore, 100, A", "cartello_indicatore, 120, B"})), 6,
       120, RouteOutcome::leave},
      {"board pair on a direction board",
       short_route(crlf_lines(
           {"cartello_indicatore, 100, A", "indicatori_vmax, 110, 1, 1, 1, 0, 1, 1, 1, 0"})),
       21, 110, RouteOutcome::leave},
      {"direction board on a board pair",
       short_route(crlf_lines(
           {"indicatori_vmax, 110, 1, 1, 1, 0, 1, 1, 1, 0", "cartello_indicatore, 100, A"})),
       6, 100, RouteOutcome::leave},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    reset();
    EXPECT_EQ(parse(c.text), c.outcome);
    EXPECT_EQ(state.failure.number(), c.code);
    EXPECT_EQ(state.failure.error_position, c.position);
    EXPECT_EQ(state.failure.source, TextFile::route);
    EXPECT_FALSE(route_file_exists());
  }
}

TEST_F(RouteFailures, TheFailureNamesTheLineOfItsRecord) {
  parse(short_route(crlf_lines({"pendenza, 100, 1", "", "pendenza, 9000, 1"})));
  EXPECT_EQ(state.failure.number(), 15);
  EXPECT_EQ(state.failure.line, 6);
}

TEST_F(RouteFailures, ARefusedLengthIsNotStoredButEarlierValuesAre) {
  parse(crlf_lines({"[generale]", "sfondo uno, 3", "lunghezza percorso, 1000001", "[fine]"}));
  EXPECT_EQ(state.sim_table[kTrainRouteSlot].zone_end, 0);
  EXPECT_EQ(state.sim_table[kLineSlot].zone_start, 3);
  EXPECT_FALSE(state.cells.has_value());

  parse(crlf_lines({"[generale]", "ripetizione segnali 9 codici, 25, 100", "[fine]"}));
  EXPECT_EQ(state.failure.number(), 3);
  EXPECT_EQ(state.sim_table[kTrainSlot].zone_start, 25);
  EXPECT_EQ(state.sim_table[kTrainSlot].zone_end, 100);
}

TEST_F(RouteFailures, ACodeFifteenKeepsWhatWasCompiledAndRunsBothTails) {
  EXPECT_EQ(parse(short_route(
                crlf_lines({"pendenza, 1000, 5", "cartello_indicatore, 200, A", "curvad4, 100, 10",
                            "pendenza, 7950, 9", "cartello_indicatore, 300, B"}))),
            RouteOutcome::read_train);
  EXPECT_EQ(state.failure.number(), 15);
  EXPECT_EQ(state.failure.error_position, 7950);
  EXPECT_EQ(cell(5).kind, CellKind::direction_board);
  EXPECT_EQ(cell(7).kind, CellKind::empty);  // the board after the failure is never read
  EXPECT_EQ(cell(19).gradient, 100);
  EXPECT_EQ(cell(157).gradient, 105);  // the gradient tail ran with the value in force
  EXPECT_DOUBLE_EQ(x(101), 0.001);     // the curve stays
  EXPECT_EQ(state.line_profile->tag(7998, 0), ProfileTag::real);  // the plan tail ran
  EXPECT_FALSE(route_file_exists());
}

TEST_F(RouteFailures, PlanRowsPastOneMillionAre103) {
  // Rows up to 1000000 may be computed; the curve's row 1000000 is the last.
  EXPECT_EQ(parse(crlf_lines({"[generale]", "lunghezza percorso, 1000000", "[curve]",
                              "curvad1, 999000, 2000", "[fine]"})),
            RouteOutcome::leave);
  EXPECT_EQ(state.failure.number(), 103);
  EXPECT_EQ(state.line_profile->tag(1000000, 0), ProfileTag::real);
  EXPECT_EQ(state.line_profile->tag(1000001, 0), ProfileTag::empty);
  EXPECT_FALSE(route_file_exists());
}

// A plan that reaches row 1000000 is ended there by the row limit before a curve could run past
// its last row.
TEST_F(RouteFailures, ACurvePastTheLastRowOfAMillionRowPlanIs103) {
  EXPECT_EQ(parse(crlf_lines({"[generale]", "lunghezza percorso, 1000000", "[curve]",
                              "curvad1, 1006000, 2000", "[fine]"})),
            RouteOutcome::leave);
  EXPECT_EQ(state.failure.number(), 103);
}

// Negative positions count only where a cell the record uses lies before cell 0.
TEST_F(RouteFailures, NegativePositionsThatStayInTheCellsAreNoFailure) {
  EXPECT_EQ(parse(short_route(crlf_lines(
                {"pendenza, -500, 5", "montagna, -20, 20, 1", "curvad4, -100, 200",
                 "indicatori_vmax, -70, 1, 1, 1, 0, 1, 1, 1, 0", "cartello_indicatore, -20, A"}))),
            RouteOutcome::read_train);
  EXPECT_EQ(state.failure.number(), 0);
  EXPECT_EQ(cell(0).kind, CellKind::speed_boards);     // -70 / 50 + 1 = -0.4 rounds to 0
  EXPECT_EQ(cell(1).kind, CellKind::direction_board);  // -20 / 50 + 1 = 0.6
  EXPECT_EQ(cell(0).gradient, 105);                    // the tail's gradient from cell 0
  EXPECT_EQ(cell(0).mountain_type, 0);                 // cells 0 to -1: none
  EXPECT_DOUBLE_EQ(x(2), 0.001);                       // the curve turns from row 2 to 100
}

TEST_F(RouteFailures, ReadFaultsLeaveForTheFailureExit) {
  const struct {
    std::string name;
    std::string text;
  } cases[] = {
      {"empty file", ""},
      {"not a number", crlf_lines({"[generale]", "lunghezza percorso, 12x", "[fine]"})},
      {"too large", crlf_lines({"[generale]", "lunghezza percorso, 2147483648", "[fine]"})},
      {"record cut short by the end", short_route("montagna, 100, 200")},
      {"comment fields up to the end", crlf_lines({"[generale]", "----", "---"})},
      {"no route length before a feature",
       crlf_lines({"[generale]", "[curve]", "pendenza, 100, 1", "[fine]"})},
      {"no route length at all", crlf_lines({"[generale]", "sfondo uno, 1", "[curve]", "[fine]"})},
      {"packed speed above 16 bits",
       short_route(crlf_lines({"indicatori_vmax, 100, 1638, 0, 0, 0, 38, 0, 0, 0"}))},
      {"packed speed below 16 bits",
       short_route(crlf_lines({"indicatori_vmax, 100, -1638, 0, 0, 0, -43, 0, 0, 0"}))},
      {"81 mountains", short_route(repeated("montagna, 100, 200, 1", 81))},
      {"81 direction boards", short_route([] {
         std::string boards;
         for (int i = 0; i < 81; ++i)
           boards += crlf_lines({"cartello_indicatore, " + std::to_string(50 * i) + ", T"});
         return boards;
       }())},
      // Each record at the last position writes one more cell; after the fourth the tail's
      // first cell lies past cell 160.
      {"gradient cursor past the cells", short_route(repeated("pendenza, 7900, 1", 4))},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    reset();
    EXPECT_THROW(parse(c.text), ReadFault);
  }
}

TEST_F(RouteFailures, LimitsJustInsideTheTablesAreNoFault) {
  EXPECT_EQ(
      parse(short_route(crlf_lines({"pendenza, 7900, 1", "pendenza, 7900, 1", "pendenza, 7900, 1",
                                    "indicatori_vmax, 100, 1638, 0, 0, 0, 35, 0, 0, 0",
                                    "indicatori_vmax, 200, -1638, 0, 0, 0, -40, 0, 0, 0",
                                    "montagna, 7000, 8050, 1", "curvad4, 7000, 1000"}))),
      RouteOutcome::read_train);
  EXPECT_EQ(state.failure.number(), 0);
  EXPECT_EQ(cell(160).gradient, 101);
  EXPECT_EQ(cell(3).value1, 32767);
  EXPECT_EQ(cell(5).value1, -32768);
  EXPECT_EQ(cell(160).mountain_type, 1);
  EXPECT_EQ(state.line_profile->tag(8000, 0), ProfileTag::real);
}

}  // namespace
}  // namespace scenario
