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

RunOutcome memorizza_percorso(ScenarioState& state, std::int32_t j, Platform& platform) {
  state.profile_flag = j;
  state.failure = RecordedFailure{};
  state.sim_table = SimTable{};

  const std::filesystem::path folder = platform.program_folder();
  memorizza_dati(state, folder);

  // Without cells there is nothing to place, stamp or write; the caller says so.
  if (!state.cells) return {RunOutcome::Kind::nothing_compiled, FailureCode::none, std::nullopt};

  place_code_changes(state);

  if (const FailureCode fatal = stamp_markers(state); fatal != FailureCode::none) {
    errore(platform, std::to_string(code_number(fatal)));
    return {RunOutcome::Kind::stopped_by_error_box, fatal, std::nullopt};
  }

  if (auto fault = write_output_files(state, folder)) {
    return {RunOutcome::Kind::file_fault, FailureCode::none, std::move(fault)};
  }
  return {};
}

}  // namespace scenario
