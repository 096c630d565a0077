#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "model/sim_table.h"

namespace scenario::inspect {

// A number field of a slot by its name, for reports that go through every field.
struct SlotField {
  std::string_view name;
  std::int64_t value = 0;
};

// The fifteen number fields of a slot in the order of the table file; the name stands between
// param4 (index 4) and param7 (index 5).
inline constexpr std::size_t kFieldsBeforeName = 5;
std::array<SlotField, 15> slot_numbers(const SimSlot& slot);

// True when any field of the slot, its name included, is not empty.
bool slot_holds_something(const SimSlot& slot);

}  // namespace scenario::inspect
