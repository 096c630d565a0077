#pragma once

#include <filesystem>
#include <optional>

#include "model/scenario_state.h"
#include "platform/file_system.h"

namespace scenario {

// Writes the line profile (only when profile_flag is not 0), the scenario table and the cell
// array into `folder`, in that order, each replacing any older file. `cells` must exist.
// Returns the first file that could not be written; the ones before it stay written.
std::optional<FileFault> write_output_files(const ScenarioState& state,
                                            const std::filesystem::path& folder);

}  // namespace scenario
