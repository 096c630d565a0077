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
                                          TextFolder& folder, ReadObserver* observer) {
  // Everything but the identity starts afresh, so that a state used before cannot lend this run
  // the cells, plan or mountains of an earlier one. This clears error_code and the scenario table.
  ScenarioState fresh;
  fresh.line_name = std::move(state.line_name);
  fresh.train_number = std::move(state.train_number);
  fresh.profile_flag = j;
  state = std::move(fresh);

  RunOutcome outcome;
  if (const FileResult<> parsed = memorizza_dati(state, folder, observer); !parsed) {
    outcome.text_file_left = parsed.fault();
  }

  // Without cells there is nothing to place, stamp or write; the caller says so.
  if (!state.cells) {
    outcome.kind = RunOutcome::Kind::nothing_compiled;
    return outcome;
  }

  place_code_changes(state);

  if (const FailureCode fatal = stamp_markers(state); fatal != FailureCode::none) {
    errore(platform, std::to_string(code_number(fatal)));
    outcome.kind = RunOutcome::Kind::stopped_by_error_box;
    outcome.fatal_error = fatal;
    return outcome;
  }

  if (auto written = write_output_files(state, folder); !written) return written.fault();
  return outcome;
}

}  // namespace scenario
