#pragma once

#include "model/scenario_state.h"
#include "parse/field_reader.h"

namespace scenario {

// The train's general records. Each reads its numbers from the fields after its keyword and
// stores each value as soon as it is read. A number that does not fit its field throws ReadFault.

// "percentuale massa frenata": one 32-bit number into slot 84 `zone_start`.
void read_braked_mass(ScenarioState& state, FieldReader& reader);
// "numero vetture": one 32-bit number into slot 84 `position`.
void read_car_count(ScenarioState& state, FieldReader& reader);
// "orologio": three 16-bit numbers into slot 86 `param10`, `param11`, `param12`.
void read_clock(ScenarioState& state, FieldReader& reader);
// "sabbia": one 16-bit number into slot 86 `param7`.
void read_sand(ScenarioState& state, FieldReader& reader);

}  // namespace scenario
