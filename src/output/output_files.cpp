#include "output/output_files.h"

#include <string>

#include "model/file_names.h"
#include "output/file_layouts.h"

namespace scenario {

std::optional<FileFault> write_output_files(const ScenarioState& state,
                                            const std::filesystem::path& folder) {
  if (state.profile_flag != 0) {
    const std::string bytes = state.line_profile ? line_profile_bytes(*state.line_profile) : "";
    if (auto fault = replace_file(path_in(folder, profile_file_name(state)), bytes)) return fault;
  }
  if (auto fault =
          replace_file(path_in(folder, table_file_name(state)), sim_table_bytes(state.sim_table))) {
    return fault;
  }
  const std::string cells = state.cells ? cell_array_bytes(*state.cells) : "";
  return replace_file(path_in(folder, cells_file_name(state)), cells);
}

}  // namespace scenario
