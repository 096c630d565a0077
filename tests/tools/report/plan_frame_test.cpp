#include "report/plan_frame.h"

#include <gtest/gtest.h>

#include <vector>

namespace scenario::report {
namespace {

TEST(PlanPoints, ReadTheProfileUpToTheFirstEmptyRow) {
  LineProfile profile(6);
  profile.set_int16(0, 0, 0);
  profile.set_int16(0, 1, 0);
  profile.set_int16(1, 0, 0);
  profile.set_int16(1, 1, 1);
  profile.extend_straight(3);  // rows 4 to 6 never computed

  const std::vector<PlanPoint> points = plan_points(profile);
  ASSERT_EQ(points.size(), 4U);
  EXPECT_EQ(points[1].y, 1.0);
  EXPECT_EQ(points[3].x, 0.0);
  EXPECT_EQ(points[3].y, 3.0);

  EXPECT_TRUE(plan_points(LineProfile(3)).empty());
  LineProfile half_seeded(3);
  half_seeded.set_int16(0, 0, 0);
  half_seeded.set_int16(0, 1, 0);
  half_seeded.set_int16(1, 0, 0);  // row 1 has no y
  half_seeded.extend_straight(3);
  EXPECT_EQ(plan_points(half_seeded).size(), 1U);
}

TEST(PlanExtent, IsTheBoxOfAllPoints) {
  const std::vector<PlanPoint> points = {{0, 0}, {-3, 4}, {5, -1}, {2, 7}};
  const auto box = extent_of(points);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->min_x, -3);
  EXPECT_EQ(box->max_x, 5);
  EXPECT_EQ(box->min_y, -1);
  EXPECT_EQ(box->max_y, 7);
  EXPECT_FALSE(extent_of({}));
}

struct FitCase {
  const char* what;
  PlanExtent plan;
  double scale;
  double left;
  double height;
};

// A drawing area of 880 by 600 pixels with 60 pixels all round.
TEST(MapFrame, FitsThePlanToScaleNorthUp) {
  const std::vector<FitCase> cases = {
      // Wide: the width sets the scale (880 / 1000), the height follows the drawing.
      {"wide", {0, 1000, 0, 500}, 0.88, 60, 500 * 0.88 + 120},
      // Tall: the height sets it (600 / 2000); the drawing is centred across.
      {"tall", {-100, 300, 1000, 3000}, 0.3, 60 + (880 - 400 * 0.3) / 2, 720},
      // A straight line north: only its length can set the scale.
      {"straight along y", {0, 0, 0, 20800}, 600.0 / 20800, 60 + 440, 720},
      {"straight along x", {-50, 50, 7, 7}, 8.8, 60, 120},
      {"a single point", {3, 3, 4, 4}, 1, 60 + 440, 120},
  };
  for (const FitCase& c : cases) {
    SCOPED_TRACE(c.what);
    const MapFrame frame = fit_plan(c.plan, 880, 600, 60);
    constexpr double kClose = 1e-9;  // the scale is a quotient, so sums of it may be a hair off
    EXPECT_DOUBLE_EQ(frame.scale, c.scale);
    EXPECT_NEAR(frame.left, c.left, kClose);
    EXPECT_DOUBLE_EQ(frame.top, 60);
    EXPECT_DOUBLE_EQ(frame.width, 1000);
    EXPECT_NEAR(frame.height, c.height, kClose);
    // North-west corner at (left, top); south-east at the far corner, inside the margins.
    const PixelPoint north_west = frame.to_pixels({c.plan.min_x, c.plan.max_y});
    const PixelPoint south_east = frame.to_pixels({c.plan.max_x, c.plan.min_y});
    EXPECT_NEAR(north_west.x, c.left, kClose);
    EXPECT_DOUBLE_EQ(north_west.y, 60);
    EXPECT_LE(south_east.x, 940 + kClose);
    EXPECT_NEAR(south_east.y, c.height - 60, kClose);
  }
}

TEST(MapFrame, DrawsNorthUpAndEastRight) {
  const MapFrame frame = fit_plan({0, 100, 0, 100}, 100, 100, 10);
  const PixelPoint origin = frame.to_pixels({0, 0});
  const PixelPoint north = frame.to_pixels({0, 10});
  const PixelPoint east = frame.to_pixels({10, 0});
  EXPECT_LT(north.y, origin.y);
  EXPECT_EQ(north.x, origin.x);
  EXPECT_GT(east.x, origin.x);
  EXPECT_EQ(east.y, origin.y);
  EXPECT_DOUBLE_EQ(east.x - origin.x, 10 * frame.scale);
}

TEST(ScaleBar, TakesTheLongestRoundLengthThatFits) {
  struct Case {
    double scale;
    double longest;
    double metres;
  };
  const std::vector<Case> cases = {
      {600.0 / 20800, 160, 5000},  // 5547 m fit
      {1, 160, 100},               // 160 m fit
      {0.88, 160, 100},            // 181 m fit
      {0.01, 160, 10000},          // 16000 m fit
      {0.5, 100, 200},             // exactly 200 m fit
      {2, 100, 50},
      {0.0004, 160, 200000},  // 400000 m fit
      {100, 160, 1},          // 1.6 m fit
      {1000, 160, 1},         // not even a metre fits: a metre all the same
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.scale);
    EXPECT_DOUBLE_EQ(scale_bar_metres(c.scale, c.longest), c.metres);
  }
}

}  // namespace
}  // namespace scenario::report
