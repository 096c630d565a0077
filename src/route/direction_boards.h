#pragma once

#include <cstdint>
#include <string>

#include "model/scenario_state.h"
#include "parse/parse_context.h"

namespace scenario {

// Places a direction board on cell `position` / 50 + 1 (rounded, halves to even): `kind` =
// `direction_board`, `value1` = `next_board_slot`, whose `name` in `sim_table` becomes `text`;
// then lowers `next_board_slot` by one. When the cell is taken (neither `empty` nor
// `mountain_mark`) records 6 with `error_position` = `position`, changes nothing else and
// returns false. Throws ReadFault when no slot is left above slot 0 or the cell lies outside
// `cells`.
bool store_direction_board(ScenarioState& state, ParseContext& context, std::int32_t position,
                           const std::string& text);

}  // namespace scenario
