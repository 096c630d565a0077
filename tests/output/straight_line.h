#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "model/rounding.h"
#include "model/scenario_state.h"

namespace scenario::testing {

// A compiled scenario as the route parse leaves it for a line that starts straight and runs on
// straight: line "Alpha", train "123", the profile seeded in rows 0 and 1 as 16-bit values,
// rows 2 to M - 2 as reals (x = 0, y = the row) and the last two rows never reached; all cells
// empty.
inline ScenarioState straight_line_state(std::int32_t route_length, std::int32_t profile_flag) {
  ScenarioState state;
  state.line_name = "Alpha";
  state.train_number = "123";
  state.profile_flag = profile_flag;
  state.route_span = route_length + 7000;
  state.sim_table[kTrainRouteSlot].zone_end = route_length;
  state.sim_table[kLineSlot].name = state.line_name;
  state.sim_table[kTrainSlot].name = state.train_number;
  state.cells.emplace(*round_to<std::int32_t>(state.route_span / 50.0));
  if (profile_flag != 0) {
    LineProfile& profile = state.line_profile.emplace(state.route_span);
    profile.set_int16(0, 0, 0);
    profile.set_int16(1, 0, 0);
    profile.set_int16(0, 1, 0);
    profile.set_int16(1, 1, 1);
    profile.extend_straight(state.route_span - 2);  // row r is (0, r)
  }
  return state;
}

// Bytes written out one by one, to compare with a file's content.
inline std::string bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out.push_back(static_cast<char>(static_cast<unsigned char>(v)));
  return out;
}

}  // namespace scenario::testing
