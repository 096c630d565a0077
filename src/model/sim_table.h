#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace scenario {

// One slot of the scenario table. Named for its use as a station; the general slots 81 to 86
// reuse the same fields for line and train data. Fields in the order of the table file.
struct SimSlot {
  std::uint8_t type = 0;
  std::int32_t zone_start = 0;
  std::int32_t zone_end = 0;
  std::int32_t position = 0;
  std::uint8_t param4 = 0;
  std::string name;  // single-byte characters, as they stand in the text files
  std::int16_t param7 = 0;
  std::int16_t param8 = 0;
  std::int16_t param10 = 0;
  std::int16_t param11 = 0;
  std::int16_t param12 = 0;
  std::uint8_t param9 = 0;
  std::uint8_t param13 = 0;
  std::uint8_t param6 = 0;
  std::uint8_t param5 = 0;
  std::int32_t time_s = 0;

  bool operator==(const SimSlot&) const = default;
};

inline constexpr int kSimSlotCount = 87;

// Slot map of the general data.
inline constexpr int kFirstStationSlot = 1;
inline constexpr int kFirstBoardSlot = 80;  // direction-board texts count down from here
inline constexpr int kProgressiveTreSlot = 81;
inline constexpr int kProgressiveDueSlot = 82;
inline constexpr int kProgressiveUnoSlot = 83;
inline constexpr int kTrainRouteSlot = 84;
inline constexpr int kLineSlot = 85;
inline constexpr int kTrainSlot = 86;

using SimTable = std::array<SimSlot, kSimSlotCount>;

}  // namespace scenario
