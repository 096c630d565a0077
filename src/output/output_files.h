#pragma once

#include "model/file_fault.h"
#include "model/file_sink.h"
#include "model/scenario_state.h"

namespace scenario {

// Writes the compiled scenario into `sink`: the line profile "L_linea.dat" (only when
// profile_flag is not 0), then the scenario table "L_T.sim", then the cell array "L_T.dat",
// each replacing the older file of its name whole. Reads profile_flag, line_name,
// train_number, line_profile, sim_table and cells; writes no field and records no failure code.
// A table that does not exist is written as an empty file. Stops at the first file that cannot
// be written and returns its fault; the files before it stay written, the ones after it are not
// touched.
FileResult<> write_output_files(const ScenarioState& state, FileSink& sink);

}  // namespace scenario
