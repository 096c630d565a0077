#include "report/polyline_simplify.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <vector>

namespace scenario::report {
namespace {

// A wavy line of `count` points one pixel apart across, with loops in it: it turns both ways,
// doubles back and runs straight in places, so that a wrong split shows.
std::vector<PixelPoint> wavy_line(std::size_t count) {
  std::vector<PixelPoint> line;
  for (std::size_t i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / 40.0;
    line.push_back({t * 12 + 30 * std::sin(t * 1.3), 60 * std::sin(t) + 25 * std::cos(t * 2.7)});
  }
  return line;
}

// Every point left out lies within `tolerance` of the segment between the kept points around it.
void expect_within(const std::vector<PixelPoint>& line, const std::vector<std::size_t>& kept,
                   double tolerance) {
  ASSERT_FALSE(kept.empty());
  EXPECT_EQ(kept.front(), 0U);
  EXPECT_EQ(kept.back(), line.size() - 1);
  double worst = 0;
  for (std::size_t k = 0; k + 1 < kept.size(); ++k) {
    ASSERT_LT(kept[k], kept[k + 1]);
    for (std::size_t i = kept[k] + 1; i < kept[k + 1]; ++i) {
      worst = std::max(worst, distance_to_segment(line[i], line[kept[k]], line[kept[k + 1]]));
    }
  }
  EXPECT_LE(worst, tolerance);
}

TEST(Simplification, StaysWithinTheToleranceOfEveryPointLeftOut) {
  const std::vector<PixelPoint> line = wavy_line(4000);
  for (const double tolerance : {0.1, 0.5, 1.0, 5.0}) {
    SCOPED_TRACE(tolerance);
    const std::vector<std::size_t> kept = simplify_polyline(line, tolerance);
    expect_within(line, kept, tolerance);
    EXPECT_LT(kept.size(), line.size());
  }
}

TEST(Simplification, KeepsFewerPointsForALargerTolerance) {
  const std::vector<PixelPoint> line = wavy_line(4000);
  EXPECT_GT(simplify_polyline(line, 0.1).size(), simplify_polyline(line, 1.0).size());
  EXPECT_GT(simplify_polyline(line, 1.0).size(), simplify_polyline(line, 5.0).size());
}

TEST(Simplification, KeepsOnlyTheEndsOfAStraightLineAndEveryCorner) {
  std::vector<PixelPoint> straight;
  for (int i = 0; i < 1000; ++i) straight.push_back({0.5 * i, 2.0 * i});
  EXPECT_EQ(simplify_polyline(straight, 0.5), (std::vector<std::size_t>{0, 999}));

  // Out 10 pixels and back: the far point is 10 pixels from the chord and must stay.
  const std::vector<PixelPoint> out_and_back = {{0, 0}, {5, 0}, {10, 0}, {5, 0}, {0, 0}};
  EXPECT_EQ(simplify_polyline(out_and_back, 0.5), (std::vector<std::size_t>{0, 2, 4}));

  const std::vector<PixelPoint> corner = {{0, 0}, {1, 0}, {2, 0}, {2, 1}, {2, 2}};
  EXPECT_EQ(simplify_polyline(corner, 0.5), (std::vector<std::size_t>{0, 2, 4}));
  // Half a pixel off the chord is within half a pixel.
  const std::vector<PixelPoint> bump = {{0, 0}, {1, 0.5}, {2, 0}};
  EXPECT_EQ(simplify_polyline(bump, 0.5), (std::vector<std::size_t>{0, 2}));
}

TEST(Simplification, HandlesLinesOfNoneOneAndTwoPoints) {
  EXPECT_TRUE(simplify_polyline({}, 0.5).empty());
  const std::vector<PixelPoint> one = {{3, 4}};
  EXPECT_EQ(simplify_polyline(one, 0.5), (std::vector<std::size_t>{0}));
  const std::vector<PixelPoint> two = {{3, 4}, {3, 4}};
  EXPECT_EQ(simplify_polyline(two, 0.5), (std::vector<std::size_t>{0, 1}));
}

TEST(Simplification, MeasuresDistanceToTheSegmentNotTheWholeLine) {
  // Beyond the end of the segment the distance is to the end point.
  EXPECT_DOUBLE_EQ(distance_to_segment({13, 4}, {0, 0}, {10, 0}), 5);
  EXPECT_DOUBLE_EQ(distance_to_segment({5, -2}, {0, 0}, {10, 0}), 2);
  EXPECT_DOUBLE_EQ(distance_to_segment({3, 4}, {0, 0}, {0, 0}), 5);
}

}  // namespace
}  // namespace scenario::report
