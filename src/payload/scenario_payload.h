#pragma once

#include <string_view>

namespace scenario {

// One scenario as it travels inside a pack: its identity and its five text files, each held as
// lines separated by line feeds. A pack reads it from the block it carries (payload_format.h).
struct ScenarioPayload {
  std::string_view line_name;
  std::string_view train_number;
  std::string_view route;
  std::string_view train;
  std::string_view notes;
  std::string_view slowdowns;
  std::string_view sheet;
};

// A scenario compiled into a program as constants, for the tests that run the pack's engine
// without a pack; add_scenario_payload generates its definition.
const ScenarioPayload& embedded_scenario();

}  // namespace scenario
