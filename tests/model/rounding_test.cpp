#include "model/rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace scenario {
namespace {

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  const struct {
    double x;
    double expected;
  } cases[] = {
      {26.5, 26}, {27.5, 28}, {140.5, 140}, {141.5, 142},       {0.5, 0},           {1.5, 2},
      {-0.5, 0},  {-1.5, -2}, {-2.5, -2},   {2.4999, 2},        {2.5001, 3},        {-2.5001, -3},
      {3.0, 3},   {-7.0, -7}, {0.0, 0},     {1e15 + 0.5, 1e15}, {25.0 / 50 + 1, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.x);
    EXPECT_EQ(round_half_even(c.x), c.expected);
  }
}

TEST(RoundTo, ReportsValuesThatDoNotFitTheirWidth) {
  EXPECT_EQ(round_to<std::int16_t>(32767.4), std::int16_t{32767});
  EXPECT_EQ(round_to<std::int16_t>(32767.5), std::nullopt);  // rounds to 32768
  EXPECT_EQ(round_to<std::int16_t>(-32768.5), std::int16_t{-32768});
  EXPECT_EQ(round_to<std::int16_t>(-32768.6), std::nullopt);
  EXPECT_EQ(round_to<std::uint8_t>(255.5), std::nullopt);  // 256
  EXPECT_EQ(round_to<std::uint8_t>(-0.5), std::uint8_t{0});
  EXPECT_EQ(round_to<std::uint8_t>(-0.6), std::nullopt);
  EXPECT_EQ(round_to<std::int32_t>(2147483647.0), std::int32_t{2147483647});
  EXPECT_EQ(round_to<std::int32_t>(2147483648.0), std::nullopt);
  EXPECT_EQ(round_to<std::int32_t>(std::numeric_limits<double>::quiet_NaN()), std::nullopt);
  EXPECT_EQ(round_to<std::int32_t>(std::numeric_limits<double>::infinity()), std::nullopt);
}

TEST(LowBits, KeepTheLowBitsInTwosComplement) {
  EXPECT_EQ(low_byte(356), 100);
  EXPECT_EQ(low_byte(-1), 255);
  EXPECT_EQ(low_16(32768), -32768);
  EXPECT_EQ(low_16(65537), 1);
  EXPECT_EQ(low_16(-65536), 0);
}

}  // namespace
}  // namespace scenario
