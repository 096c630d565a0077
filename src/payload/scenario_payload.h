#pragma once

#include <string_view>

namespace scenario {

// One scenario as it travels inside a pack: its identity and its five text files, each held as
// lines separated by line feeds. Built into each pack from a folder of text files.
struct ScenarioPayload {
  std::string_view line_name;
  std::string_view train_number;
  std::string_view route;
  std::string_view train;
  std::string_view notes;
  std::string_view slowdowns;
  std::string_view sheet;
};

// The scenario embedded in this executable; each pack's build generates its definition.
const ScenarioPayload& embedded_scenario();

}  // namespace scenario
