#include "output/output_files.h"

#include "model/file_names.h"
#include "output/file_layouts.h"

namespace scenario {

FileResult<> write_output_files(const ScenarioState& state, FileSink& sink) {
  if (state.profile_flag != 0) {
    auto profile = sink.replace(profile_file_name(state), [&](ByteWriter& out) {
      if (state.line_profile) write_line_profile(out, *state.line_profile);
    });
    if (!profile) return profile;
  }
  auto table = sink.replace(table_file_name(state),
                            [&](ByteWriter& out) { write_sim_table(out, state.sim_table); });
  if (!table) return table;
  return sink.replace(cells_file_name(state), [&](ByteWriter& out) {
    if (state.cells) write_cell_array(out, *state.cells);
  });
}

}  // namespace scenario
