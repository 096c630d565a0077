#include "inspect/slot_fields.h"

namespace scenario::inspect {

std::array<SlotField, 15> slot_numbers(const SimSlot& s) {
  return {{{"type", s.type},
           {"zone_start", s.zone_start},
           {"zone_end", s.zone_end},
           {"position", s.position},
           {"param4", s.param4},
           {"param7", s.param7},
           {"param8", s.param8},
           {"param10", s.param10},
           {"param11", s.param11},
           {"param12", s.param12},
           {"param9", s.param9},
           {"param13", s.param13},
           {"param6", s.param6},
           {"param5", s.param5},
           {"time_s", s.time_s}}};
}

bool slot_holds_something(const SimSlot& slot) {
  if (!slot.name.empty()) return true;
  for (const SlotField& field : slot_numbers(slot)) {
    if (field.value != 0) return true;
  }
  return false;
}

}  // namespace scenario::inspect
