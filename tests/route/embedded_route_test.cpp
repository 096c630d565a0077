#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "payload/scenario_payload.h"
#include "payload/text_writers.h"
#include "route_fixture.h"

namespace scenario {
namespace {

// The shipped route, read the way the pack writes and reads it.
class EmbeddedRoute : public RouteParse {
 protected:
  void SetUp() override {
    const ScenarioPayload& payload = embedded_scenario();
    state.line_name = payload.line_name;
    state.train_number = payload.train_number;
    context.route_name = route_text_name(state);
    outcome = parse(text_file_bytes(payload.route));
  }

  RouteOutcome outcome = RouteOutcome::leave;
};

TEST_F(EmbeddedRoute, CompilesWithoutAFailureAndDeletesTheFile) {
  EXPECT_EQ(outcome, RouteOutcome::read_train);
  EXPECT_EQ(state.failure.number(), 0);
  EXPECT_FALSE(route_file_exists());
  EXPECT_EQ(state.route_span, 13800 + 7000);
  EXPECT_EQ(state.cells->last_index(), 416);
  EXPECT_EQ(state.line_profile->last_row(), 20800);
}

TEST_F(EmbeddedRoute, FillsTheGeneralSlots) {
  for (int slot : {kProgressiveTreSlot, kProgressiveDueSlot, kProgressiveUnoSlot}) {
    EXPECT_EQ(state.sim_table[slot], SimSlot{}) << slot;
  }
  EXPECT_EQ(state.sim_table[kTrainRouteSlot].zone_end, 13800);
  const SimSlot& line = state.sim_table[kLineSlot];
  EXPECT_EQ(line.zone_start, 1);
  EXPECT_EQ(line.zone_end, 0);
  EXPECT_EQ(line.position, 0);
  const SimSlot& train = state.sim_table[kTrainSlot];
  EXPECT_EQ(train.zone_start, 0);
  EXPECT_EQ(train.zone_end, 8050);
  EXPECT_EQ(train.position, 9);
}

TEST_F(EmbeddedRoute, IsLevelUpToTheLastThreeCells) {
  for (int i = 0; i <= 413; ++i) ASSERT_EQ(cell(i).gradient, 100) << i;
  for (int i = 414; i <= 416; ++i) EXPECT_EQ(cell(i).gradient, 0) << i;
}

TEST_F(EmbeddedRoute, PlanStartsStraightThenTurnsLeftAtMetre1300) {
  const LineProfile& plan = *state.line_profile;
  const std::vector<ProfilePoint> points = all_points(plan);
  for (int row = 2; row <= 1300; ++row) {
    ASSERT_EQ(points[row].x, 0.0) << row;
    ASSERT_EQ(points[row].y, row) << row;
  }
  // "curvas3, 1300, 1000": the step (0, 1) turns by k = -0.0004 per row.
  EXPECT_DOUBLE_EQ(x(1301), -0.0004);
  EXPECT_DOUBLE_EQ(y(1301), 1301.0);
  const double turned = 1000 * std::atan(0.0004);
  const double grown = std::pow(1 + 0.0004 * 0.0004, 500);
  EXPECT_NEAR(x(2300) - x(2299), -std::sin(turned) * grown, 1e-9);
  EXPECT_NEAR(y(2300) - y(2299), std::cos(turned) * grown, 1e-9);
  // Straight again up to "curvas4, 5200, 600".
  EXPECT_NEAR(x(5200) - x(5199), x(2300) - x(2299), 1e-9);
  EXPECT_NEAR(y(5200) - y(5199), y(2300) - y(2299), 1e-9);
  for (int column = 0; column < 2; ++column) {
    EXPECT_EQ(plan.tag(1, column), ProfileTag::int16);
    EXPECT_EQ(plan.tag(2, column), ProfileTag::real);
    EXPECT_EQ(plan.tag(20798, column), ProfileTag::real);
    EXPECT_EQ(plan.tag(20799, column), ProfileTag::empty);
    EXPECT_EQ(plan.tag(20800, column), ProfileTag::empty);
  }
}

TEST_F(EmbeddedRoute, PlacesTheMountain) {
  EXPECT_EQ(state.mountain_count, 1);
  EXPECT_EQ(state.mountain_start[1], 10600);
  EXPECT_EQ(state.mountain_end[1], 11000);
  EXPECT_EQ(cell(211).mountain_type, 0);
  for (int i = 212; i <= 219; ++i) {
    EXPECT_EQ(cell(i).mountain_type, 2) << i;
    EXPECT_EQ(cell(i).kind, CellKind::empty) << i;
  }
  EXPECT_EQ(cell(220).mountain_type, 0);
}

TEST_F(EmbeddedRoute, PlacesTheMaximumSpeedBoards) {
  const struct {
    int cell;
    std::int16_t a, b, c;
  } cases[] = {
      {47, 130 / 5 + 130 * 20, 135 / 5 + 135 * 20, 135 / 5 + 135 * 20},
      {150, 70 / 5 + 70 * 20, 75 / 5 + 75 * 20, 75 / 5 + 75 * 20},
      {258, 50 * 20, 60 * 20, 60 * 20},  // the second board's empty speeds read 0
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.cell);
    EXPECT_EQ(cell(c.cell).kind, CellKind::speed_boards);
    EXPECT_EQ(cell(c.cell).value1, c.a);
    EXPECT_EQ(cell(c.cell).value2, c.b);
    EXPECT_EQ(cell(c.cell).value3, c.c);
    EXPECT_EQ(cell(c.cell).value4, 0);
  }
}

TEST_F(EmbeddedRoute, PlacesTheDirectionBoards) {
  const struct {
    int cell;
    int slot;
    std::string text;
  } cases[] = {
      {28, 80, "(DEV.U.)"},          {38, 79, "(  EX   )( BIVIO )(TORVANE)"},
      {225, 78, "(  KM. )(11.200)"}, {247, 77, "(P.L.)"},
      {256, 76, "(P.L.)"},           {268, 75, "(P.L.)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.cell);
    EXPECT_EQ(cell(c.cell).kind, CellKind::direction_board);
    EXPECT_EQ(cell(c.cell).value1, c.slot);
    EXPECT_EQ(state.sim_table[c.slot].name, c.text);
  }
  EXPECT_EQ(context.next_board_slot, 74);
  EXPECT_EQ(state.sim_table[74], SimSlot{});
}

}  // namespace
}  // namespace scenario
