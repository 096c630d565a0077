#pragma once

#include <filesystem>
#include <optional>

#include "model/scenario_state.h"
#include "platform/file_system.h"

namespace scenario {

// Writes the compiled scenario into `folder`: the line profile "L_linea.dat" (only when
// profile_flag is not 0), then the scenario table "L_T.sim", then the cell array "L_T.dat".
// Each file is built whole in memory and replaces any older file of the same name without ever
// leaving a truncated one. Reads profile_flag, line_name, train_number, line_profile, sim_table
// and cells; writes no field and records no failure code. A table that does not exist is
// written as an empty file. Stops at the first file that cannot be written and returns its
// fault; the files before it stay written, the ones after it are not touched.
std::optional<FileFault> write_output_files(const ScenarioState& state,
                                            const std::filesystem::path& folder);

}  // namespace scenario
