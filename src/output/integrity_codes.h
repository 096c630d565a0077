#pragma once

#include <cstdint>
#include <string>

#include "model/failure_code.h"
#include "model/scenario_state.h"
#include "model/sim_table.h"

namespace scenario {

// Values a reader of the files finds in the reserved fields of a stamped scenario.
inline constexpr std::int16_t kSlotMarker = 610;   // slot 85 param7
inline constexpr std::int16_t kCellMarker = 5121;  // cell 1 value1

// The part of the identity both codes are computed from: the train number (slot 86 name)
// followed by the line name (slot 85 name), lower-cased, then the filler
// "ttppzzrrqqvvssuuhhggffbbcc"; only the first 25 characters are kept. Names are single-byte
// characters of code page 1252: A-Z and the accented capitals of that code page are lowered
// (À-Þ except × to à-þ, and Š Œ Ž Ÿ to š œ ž ÿ); every other byte stays as it is.
std::string integrity_key(const SimTable& table);

// The OG code: the sum of the 25 character codes of the key, each taken as its unsigned byte
// value (0 to 255). At most 25 x 255, so it fits the 16-bit field it is stored in.
std::int32_t codice_gara_og(const SimTable& table);
// The ST code: the sum of the character codes weighted by their position 1 to 25.
std::int32_t codice_gara_st(const SimTable& table);

// Checks and stamps the reserved fields, in this order, stopping at the first check that fails:
// 1250 when slot 85 param7 or cell 1 value1 is already non-zero; then the markers 610 and 5121
// go in; 1251 when slot 85 time_s or cell 1 value2 is already non-zero; then slot 85 time_s
// takes the ST code and cell 1 value2 the OG code. Reads slots 85 and 86 (names and the
// reserved fields) and cell 1; writes slot 85 param7 and time_s, cell 1 value1 and value2.
// Returns none, 1250 or 1251 and records nothing: the caller shows the error box. Cells that do
// not reach cell 1 have no reserved fields, and then only slot 85 is checked and stamped.
FailureCode stamp_markers(ScenarioState& state);

}  // namespace scenario
