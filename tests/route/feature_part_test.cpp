#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "route/line_plan.h"
#include "route_fixture.h"

namespace scenario {
namespace {

using FeaturePart = RouteParse;

// Cells `from` to `to` hold `gradient`.
struct GradientRun {
  std::int64_t from;
  std::int64_t to;
  std::uint8_t gradient;
};

TEST_F(FeaturePart, GradientsHoldFromTheirCellToTheNextRecord) {
  const struct {
    std::string name;
    std::string records;
    std::vector<GradientRun> runs;
  } cases[] = {
      // The tail stops before cell N - 2 = 158; the last three cells keep 0.
      {"no record", "", {{0, 157, 100}, {158, 160, 0}}},
      {"two records",
       crlf_lines({"pendenza, 1000, 5", "pendenza, 2000, -3"}),
       {{0, 19, 100}, {20, 39, 105}, {40, 157, 97}, {158, 160, 0}}},
      // 25 / 50 rounds to 0: nothing written, the value holds from cell 0.
      {"record at 25 m", crlf_lines({"pendenza, 25, 5"}), {{0, 157, 105}}},
      // 75 / 50 = 1.5 rounds to 2.
      {"record at 75 m", crlf_lines({"pendenza, 75, 5"}), {{0, 1, 100}, {2, 157, 105}}},
      // The second record at one position still writes one cell with the first one's value.
      {"two at one position",
       crlf_lines({"pendenza, 1000, 5", "pendenza, 1000, 7"}),
       {{0, 19, 100}, {20, 20, 105}, {21, 157, 107}}},
      // A record behind the cursor does not move it back.
      {"out of order",
       crlf_lines({"pendenza, 2000, 5", "pendenza, 1000, 7"}),
       {{0, 39, 100}, {40, 40, 105}, {41, 157, 107}}},
      // The value plus 100 is kept in one byte.
      {"byte range",
       crlf_lines({"pendenza, 100, -100", "pendenza, 200, 155", "pendenza, 300, 156",
                   "pendenza, 400, -101"}),
       {{0, 1, 100}, {2, 3, 0}, {4, 5, 255}, {6, 7, 0}, {8, 157, 255}}},
      {"case ignored",
       crlf_lines({"PENDENZA del tratto, 1000, 5"}),
       {{0, 19, 100}, {20, 157, 105}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    reset();
    EXPECT_EQ(parse(short_route(c.records)), RouteOutcome::read_train);
    EXPECT_EQ(state.failure.number(), 0);
    for (const GradientRun& run : c.runs) {
      for (std::int64_t i = run.from; i <= run.to; ++i) {
        ASSERT_EQ(cell(i).gradient, run.gradient) << "cell " << i;
      }
    }
  }
}

TEST_F(FeaturePart, PassesOverTwoCommentFieldsAndTakesTheThird) {
  // "pendenza-x" holds a dash itself: it is recognised only as the third dashed field in a row.
  const struct {
    int comment_lines;
    bool recognised;
  } cases[] = {{0, false}, {1, false}, {2, true}, {3, false}, {5, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.comment_lines);
    reset();
    std::string records;
    for (int i = 0; i < c.comment_lines; ++i) records += "------\r\n";
    records += "pendenza-x, 1000, 5\r\n";
    parse(short_route(records));
    EXPECT_EQ(state.failure.number(), 0);
    EXPECT_EQ(cell(30).gradient, c.recognised ? 105 : 100);
  }
}

TEST_F(FeaturePart, CommentFieldsReachingTheEndEndThePart) {
  EXPECT_EQ(
      parse(crlf_lines({"[generale]", "lunghezza percorso, 1000", "[curve]", "-- a", "-- b"})),
      RouteOutcome::read_train);
  EXPECT_EQ(state.failure.number(), 0);
  EXPECT_EQ(cell(157).gradient, 100);
}

TEST_F(FeaturePart, TheBoundTestTakesTheQuotientExactly) {
  // N = 160: (7900 + 100) / 50 = 160 passes, (7901 + 100) / 50 = 160.02 does not.
  parse(short_route(crlf_lines({"pendenza, 7900, 1"})));
  EXPECT_EQ(state.failure.number(), 0);
  reset();
  parse(short_route(crlf_lines({"pendenza, 7901, 1"})));
  EXPECT_EQ(state.failure.number(), 15);
}

TEST(CurveKeyword, GivesClassAndSide) {
  const struct {
    std::string keyword;
    std::optional<double> k;
  } cases[] = {
      {"curvad1", 0.0001}, {"curvad2", 0.0002},  {"curvad3", 0.0004},  {"curvad4", 0.001},
      {"curvad5", 0.002},  {"curvad6", 0.003},   {"curvas3", -0.0004}, {"CURVAS3", -0.0004},
      {"curvaS4", -0.001}, {"curvad63", 0.0004}, {"curvad7", {}},      {"curva", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.keyword);
    EXPECT_EQ(curve_heading_change(c.keyword), c.k);
  }
}

TEST_F(FeaturePart, PlanRunsStraightAlongPlusYWithoutCurves) {
  parse(short_route(""));
  const LineProfile& plan = *state.line_profile;
  for (int column = 0; column < 2; ++column) {
    EXPECT_EQ(plan.tag(0, column), ProfileTag::int16);
    EXPECT_EQ(plan.tag(1, column), ProfileTag::int16);
    EXPECT_EQ(plan.tag(7998, column), ProfileTag::real);
    EXPECT_EQ(plan.tag(7999, column), ProfileTag::empty);
    EXPECT_EQ(plan.tag(8000, column), ProfileTag::empty);
  }
  EXPECT_EQ(y(1), 1.0);
  const std::vector<ProfilePoint> points = all_points(plan);
  for (int row = 0; row <= 7998; ++row) {
    ASSERT_EQ(points[row].x, 0.0) << row;
    ASSERT_EQ(points[row].y, row) << row;
  }
}

TEST_F(FeaturePart, ACurveTurnsTheStepByKPerMetre) {
  parse(short_route(crlf_lines({"curvad4, 100, 10"})));
  EXPECT_EQ(state.failure.number(), 0);
  EXPECT_EQ(x(100), 0.0);
  EXPECT_EQ(y(100), 100.0);
  // Row 101 turns the step (0, 1) into (0.001, 1); row 102 turns (0.001, 1) into
  // (0.001 + 0.001, 1 - 0.001 * 0.001).
  EXPECT_DOUBLE_EQ(x(101), 0.001);
  EXPECT_DOUBLE_EQ(y(101), 101.0);
  EXPECT_DOUBLE_EQ(x(102), 0.003);
  EXPECT_DOUBLE_EQ(y(102), 101.0 + 0.999999);
  // After the curve the step of row 110 repeats.
  const double dx = x(110) - x(109);
  const double dy = y(110) - y(109);
  EXPECT_NEAR(x(500) - x(499), dx, 1e-9);
  EXPECT_NEAR(y(500) - y(499), dy, 1e-9);
  EXPECT_GT(dx, 0.0);  // a right curve turns toward +x

  reset();
  parse(short_route(crlf_lines({"curvas4, 100, 10"})));
  EXPECT_DOUBLE_EQ(x(101), -0.001);
  EXPECT_DOUBLE_EQ(x(102), -0.003);
}

TEST_F(FeaturePart, TheTurnIsNotRenormalised) {
  // 1000 rows at k = -0.0004: the heading turns by 1000 atan(0.004), the step grows by
  // (1 + 0.0004^2)^(1000 / 2).
  parse(short_route(crlf_lines({"curvas3, 1000, 1000"})));
  const double dx = x(2000) - x(1999);
  const double dy = y(2000) - y(1999);
  const double turned = 1000 * std::atan(0.0004);
  const double grown = std::pow(1 + 0.0004 * 0.0004, 500);
  EXPECT_NEAR(dx, -std::sin(turned) * grown, 1e-9);
  EXPECT_NEAR(dy, std::cos(turned) * grown, 1e-9);
}

TEST_F(FeaturePart, CurvesBehindTheComputedRowsTurnOnlyTheRowsToCome) {
  parse(short_route(crlf_lines({"curvad4, 100, 20"})));
  const std::vector<ProfilePoint> one_curve = all_points(*state.line_profile);
  for (const std::string& records :
       {crlf_lines({"curvad4, 100, 10", "curvad4, 110, 10"}),
        crlf_lines({"curvad4, 100, 10", "curvad4, 50, 70"}),
        crlf_lines({"curvad4, 100, 10", "curvas6, 20, 50", "curvad4, 100, 20"})}) {
    SCOPED_TRACE(records);
    reset();
    parse(short_route(records));
    EXPECT_EQ(all_points(*state.line_profile), one_curve);
  }
}

TEST_F(FeaturePart, WithoutAPlanCurvesAreNotRecognised) {
  state.profile_flag = 0;
  // A class-less curve would be 103; here its numbers are mere keyword fields.
  EXPECT_EQ(parse(short_route(crlf_lines({"curvad, 100, 10", "pendenza, 1000, 5"}))),
            RouteOutcome::read_train);
  EXPECT_EQ(state.failure.number(), 0);
  EXPECT_FALSE(state.line_profile.has_value());
  EXPECT_EQ(cell(20).gradient, 105);
}

TEST_F(FeaturePart, BoardsLandOnTheirRoundedCells) {
  // position / 50 + 1, halves to the even neighbour.
  const struct {
    std::int32_t position;
    std::int64_t cell;
  } cases[] = {{0, 1}, {25, 2}, {75, 2}, {100, 3}, {125, 4}, {7900, 159}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.position);
    for (const std::string& record :
         {"cartello_indicatore, " + std::to_string(c.position) + ", T",
          "indicatori_vmax, " + std::to_string(c.position) + ", 5, 0, 0, 0, 0, 0, 0, 0"}) {
      reset();
      parse(short_route(crlf_lines({record})));
      EXPECT_EQ(state.failure.number(), 0);
      EXPECT_NE(cell(c.cell).kind, CellKind::empty) << record;
      EXPECT_EQ(cell(c.cell - 1).kind, CellKind::empty) << record;
      EXPECT_EQ(cell(c.cell + 1).kind, CellKind::empty) << record;
    }
  }
}

TEST_F(FeaturePart, FeatureRecordsOfEveryKindInOneFile) {
  EXPECT_EQ(parse(short_route(
                crlf_lines({"[montagne]", "MONTAGNA, 1025, 1125, 15", "montagna, 1275, 1500, 11",
                            "[cartelli]", "Indicatori_VMAX, 300, 100, 100, 100, 2, 50, 50, 50, 3",
                            "[indicazioni]", "cartello_indicatore, 500,  (  A  ) , resto",
                            "CARTELLO_INDICATORE, 600, \"B, C\" coda"}))),
            RouteOutcome::read_train);
  EXPECT_EQ(state.failure.number(), 0);
  // Mountain 1, type 5 with markers: cells 20 (20.5 rounded) to 22 (21.5 rounded).
  EXPECT_EQ(cell(19).mountain_type, 0);
  EXPECT_EQ(cell(20).mountain_type, 5);
  EXPECT_EQ(cell(22).mountain_type, 5);
  EXPECT_EQ(cell(23).mountain_type, 0);
  // Mountain 2 begins 150 m after the first ends: type 3, keeping its markers; cells 26 (25.5
  // rounded) to 29, the fourth of them marked.
  EXPECT_EQ(state.mountain_count, 2);
  EXPECT_EQ(cell(26).mountain_type, 3);
  EXPECT_EQ(cell(29).mountain_type, 3);
  EXPECT_EQ(cell(28).kind, CellKind::empty);
  EXPECT_EQ(cell(29).kind, CellKind::mountain_mark);
  EXPECT_EQ(cell(7).kind, CellKind::speed_boards);
  EXPECT_EQ(cell(7).value1, 50 / 5 + 100 * 20);
  EXPECT_EQ(cell(7).value4, 2 * 10 + 3);
  EXPECT_EQ(cell(11).kind, CellKind::direction_board);
  EXPECT_EQ(cell(11).value1, 80);
  // Leading blanks go, trailing ones stay; the field after the comma has no effect.
  EXPECT_EQ(state.sim_table[80].name, "(  A  ) ");
  EXPECT_EQ(cell(13).value1, 79);
  EXPECT_EQ(state.sim_table[79].name, "B, C");
  EXPECT_EQ(state.text_line, "[fine]");
  EXPECT_EQ(context.next_board_slot, 78);
}

}  // namespace
}  // namespace scenario
