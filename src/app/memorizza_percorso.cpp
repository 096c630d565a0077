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

RunOutcome memorizza_percorso(ScenarioState& state, std::int32_t j, Platform& platform,
                              ReadObserver* observer) {
  state.profile_flag = j;
  state.error_code = 0;
  state.sim_table = SimTable{};

  const std::filesystem::path folder = platform.program_folder();
  memorizza_dati(state, folder, observer);

  // Without cells there is nothing to place, stamp or write; the caller says so.
  if (!state.cells) return {RunOutcome::Kind::nothing_compiled, 0, std::nullopt};

  place_code_changes(state);

  if (const std::int32_t fatal = stamp_markers(state); fatal != 0) {
    errore(platform, std::to_string(fatal));
    return {RunOutcome::Kind::stopped_by_error_box, fatal, std::nullopt};
  }

  if (auto fault = write_output_files(state, folder)) {
    return {RunOutcome::Kind::file_fault, 0, std::move(fault)};
  }
  return {};
}

}  // namespace scenario
