#include "train/general_records.h"

namespace scenario {

void read_braked_mass(ScenarioState& state, FieldReader& reader) {
  state.sim_table[kTrainRouteSlot].zone_start = reader.read_i32();
}

void read_car_count(ScenarioState& state, FieldReader& reader) {
  state.sim_table[kTrainRouteSlot].position = reader.read_i32();
}

void read_clock(ScenarioState& state, FieldReader& reader) {
  SimSlot& train = state.sim_table[kTrainSlot];
  train.param10 = reader.read_i16();
  train.param11 = reader.read_i16();
  train.param12 = reader.read_i16();
}

void read_sand(ScenarioState& state, FieldReader& reader) {
  state.sim_table[kTrainSlot].param7 = reader.read_i16();
}

}  // namespace scenario
