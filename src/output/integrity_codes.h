#pragma once

#include <cstdint>

#include "model/scenario_state.h"
#include "model/sim_table.h"

namespace scenario {

// Checksums of the scenario's identity (slot 86 name, then slot 85 name).
std::int32_t codice_gara_og(const SimTable& table);
std::int32_t codice_gara_st(const SimTable& table);

// Checks the reserved fields and stamps the markers and codes into slot 85 and cell 1, which
// must exist. Returns 0, or 1250 / 1251 when a reserved field was already in use.
std::int32_t stamp_markers(ScenarioState& state);

}  // namespace scenario
