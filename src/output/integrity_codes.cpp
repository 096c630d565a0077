#include "output/integrity_codes.h"

#include <cstddef>
#include <string_view>

#include "model/rounding.h"

namespace scenario {

namespace {

constexpr std::string_view kFiller = "ttppzzrrqqvvssuuhhggffbbcc";
constexpr std::size_t kKeyLength = 25;

// Lower case in code page 1252, the character set the names are held in.
char lower_case(char c) {
  const auto byte = static_cast<unsigned char>(c);
  const bool ascii_capital = byte >= 'A' && byte <= 'Z';
  // À to Þ, except the multiplication sign ×, whose lower-case partners sit 0x20 higher.
  const bool latin_capital = byte >= 0xC0 && byte <= 0xDE && byte != 0xD7;
  if (ascii_capital || latin_capital) return static_cast<char>(byte + 0x20);
  switch (byte) {
    case 0x8A:  // Š
    case 0x8C:  // Œ
    case 0x8E:  // Ž
      return static_cast<char>(byte + 0x10);
    case 0x9F:  // Ÿ
      return static_cast<char>(0xFF);
    default:
      return c;
  }
}

std::int32_t character_code(char c) { return static_cast<unsigned char>(c); }

}  // namespace

std::string integrity_key(const SimTable& table) {
  std::string key = table[kTrainSlot].name + table[kLineSlot].name;
  for (char& c : key) c = lower_case(c);
  // The filler makes sure the key always has its 25 characters, however short the names.
  key.append(kFiller);
  key.resize(kKeyLength);
  return key;
}

std::int32_t codice_gara_og(const SimTable& table) {
  std::int32_t sum = 0;
  for (char c : integrity_key(table)) sum += character_code(c);
  return sum;
}

std::int32_t codice_gara_st(const SimTable& table) {
  const std::string key = integrity_key(table);
  std::int32_t sum = 0;
  for (std::size_t k = 0; k < key.size(); ++k) {
    sum += static_cast<std::int32_t>(k + 1) * character_code(key[k]);
  }
  return sum;
}

FailureCode stamp_markers(ScenarioState& state) {
  SimSlot& line_slot = state.sim_table[kLineSlot];
  TrackCell* const cell = state.cells && state.cells->contains(1) ? &(*state.cells)[1] : nullptr;

  if (line_slot.param7 != 0 || (cell && cell->value1 != 0)) return FailureCode::marker_in_use;
  line_slot.param7 = kSlotMarker;
  if (cell) cell->value1 = kCellMarker;

  if (line_slot.time_s != 0 || (cell && cell->value2 != 0))
    return FailureCode::integrity_code_in_use;
  line_slot.time_s = codice_gara_st(state.sim_table);
  // At most 25 x 255: the 16-bit field always holds it.
  if (cell) cell->value2 = low_16(codice_gara_og(state.sim_table));
  return FailureCode::none;
}

}  // namespace scenario
