#pragma once

#include <filesystem>

#include "model/scenario_state.h"
#include "parse/read_observer.h"

namespace scenario {

// The parse: reads the route text file, then the train text file, from `folder` into the cells,
// the line profile and the scenario table, deleting each file it has read. Failures are recorded
// in error_code and error_position. Any read fault in either half ends in the one failure exit:
// every file closed, whichever text file still exists deleted, error 25. An observer, when
// given, is told what the reader sees; it changes nothing that is compiled.
void memorizza_dati(ScenarioState& state, const std::filesystem::path& folder,
                    ReadObserver* observer = nullptr);

}  // namespace scenario
