#include "app/memorizza_percorso.h"

#include <string>

#include "app/memorizza_dati.h"
#include "output/integrity_codes.h"
#include "output/output_files.h"
#include "signalling/code_changes.h"

namespace scenario {

void errore(Platform& platform, std::string_view a) {
  platform.show_error_box(" Errore n. " + std::string(a));
}

FileResult<RunOutcome> memorizza_percorso(ScenarioState& state, std::int32_t j, Platform& platform,
                                          FileSink& outputs) {
  state.profile_flag = j;
  state.error_code = 0;
  state.sim_table = SimTable{};

  const auto folder = platform.program_folder();
  if (!folder) return folder.fault();
  memorizza_dati(state, folder.value());

  // Without cells there is nothing to place, stamp or write; the caller says so.
  if (!state.cells) return RunOutcome{RunOutcome::Kind::nothing_compiled, 0};

  place_code_changes(state);

  if (const std::int32_t fatal = stamp_markers(state); fatal != 0) {
    errore(platform, std::to_string(fatal));
    return RunOutcome{RunOutcome::Kind::stopped_by_error_box, fatal};
  }

  if (auto written = write_output_files(state, outputs); !written) return written.fault();
  return RunOutcome{};
}

}  // namespace scenario
