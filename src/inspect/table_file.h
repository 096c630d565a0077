#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "inspect/layout_fault.h"
#include "model/sim_table.h"

namespace scenario::inspect {

// A decoded scenario table and where each slot began in its file.
struct TableFile {
  SimTable slots{};
  std::array<std::uint64_t, kSimSlotCount> slot_offsets{};

  // Byte of the field right after slot `slot`'s name (param7); later fields follow at the
  // distances below.
  std::uint64_t after_name(int slot) const {
    return slot_offsets[static_cast<std::size_t>(slot)] + kSlotNameAt +
           slots[static_cast<std::size_t>(slot)].name.size();
  }

  static constexpr std::uint64_t kSlotZoneEndAt = 5;
  static constexpr std::uint64_t kSlotNameAt = 16;
  static constexpr std::uint64_t kParam7AfterName = 0;
  static constexpr std::uint64_t kTimeAfterName = 14;
};

// The route length every reader of the cells and the profile needs: slot 84 zone_end.
inline std::int32_t route_length_of(const TableFile& table) {
  return table.slots[kTrainRouteSlot].zone_end;
}

// Decodes a scenario table file ("L_T.sim"): slots 0 to 86 in order, each packed as type (u8),
// zone_start, zone_end, position (i32), param4 (u8), the name as a 16-bit byte count and its
// single-byte characters, param7, param8, param10, param11, param12 (i16), param9, param13,
// param6, param5 (u8) and time_s (i32), little-endian, nothing between them. Every field and
// every name length is checked against the bytes left before it is taken, and the 87th slot
// must end exactly at the end of the file. `file` names the file in a fault.
LayoutResult<TableFile> read_table_file(std::string_view bytes, std::string_view file);

}  // namespace scenario::inspect
