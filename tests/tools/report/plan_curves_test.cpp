#include "report/plan_curves.h"

#include <gtest/gtest.h>

#include <vector>

namespace scenario::report {
namespace {

struct Turn {
  int from;  // the line runs straight up to this metre
  int to;
  double k;
};

// A plan made the way the compile makes it: rows 0 and 1 at (0, 0) and (0, 1), then each row
// one step on from the row before, the step turned by k on the rows of a curve and not
// renormalised.
std::vector<PlanPoint> plan_with(const std::vector<Turn>& turns, int last_row) {
  std::vector<PlanPoint> plan = {{0, 0}, {0, 1}};
  for (int r = 2; r <= last_row; ++r) {
    double k = 0;
    for (const Turn& t : turns) {
      if (r > t.from && r <= t.to) k = t.k;
    }
    const double dx = plan[r - 1].x - plan[r - 2].x;
    const double dy = plan[r - 1].y - plan[r - 2].y;
    plan.push_back({plan[r - 1].x + (dx + k * dy), plan[r - 1].y + (dy - k * dx)});
  }
  return plan;
}

void expect_curves(const std::vector<PlanCurve>& found, const std::vector<Turn>& expected) {
  ASSERT_EQ(found.size(), expected.size());
  for (std::size_t i = 0; i < found.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(found[i].from_m, expected[i].from);
    EXPECT_EQ(found[i].to_m, expected[i].to);
    EXPECT_NEAR(found[i].turn, expected[i].k, 1e-9);
  }
}

TEST(PlanCurves, AreFoundWhereTheLineTurnsWithTheirSideAndRate) {
  const std::vector<Turn> turns = {
      {1300, 2300, -0.0004},                         // left
      {5200, 5800, 0.001},                           // right
      {7000, 7100, 0.0001},                          // the gentlest class
      {9200, 9750, -0.001},                          // left, then at once right: two curves
      {9750, 10350, 0.001},  {12800, 13200, 0.003},  // the sharpest class
  };
  expect_curves(find_curves(plan_with(turns, 20000)), turns);
}

TEST(PlanCurves, ChangeOfRateOnOneSideStartsAnotherCurve) {
  const std::vector<Turn> turns = {{100, 400, 0.002}, {400, 600, 0.0002}};
  expect_curves(find_curves(plan_with(turns, 1000)), turns);
}

TEST(PlanCurves, SameRateFollowingOnIsOneCurveOnThePlan) {
  expect_curves(find_curves(plan_with({{100, 400, -0.001}, {400, 600, -0.001}}, 1000)),
                {{100, 600, -0.001}});
}

TEST(PlanCurves, AStraightLineOrAShortPlanHasNone) {
  EXPECT_TRUE(find_curves(plan_with({}, 1000)).empty());
  EXPECT_TRUE(find_curves(plan_with({}, 1)).empty());
  EXPECT_TRUE(find_curves({}).empty());
}

TEST(PlanCurves, RoundingFarAlongALongStraightIsNoCurve) {
  // After the curve the heading is oblique, so every step carries rounding, for a million rows.
  expect_curves(find_curves(plan_with({{100, 400, 0.003}}, 1000000)), {{100, 400, 0.003}});
}

TEST(PlanCurves, ACurveToTheLastRowEndsThere) {
  expect_curves(find_curves(plan_with({{900, 5000, 0.001}}, 1000)), {{900, 1000, 0.001}});
}

}  // namespace
}  // namespace scenario::report
