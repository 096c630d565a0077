#include "app/form_load.h"

#include <string>

#include "app/exit_status.h"
#include "app/memorizza_percorso.h"
#include "model/scenario_state.h"
#include "payload/text_writers.h"

namespace scenario {

namespace {

std::string recorded_failure(const ScenarioState& state) {
  return "error " + std::to_string(state.failure.number()) + " at " +
         std::to_string(state.failure.error_position) + " m";
}

int exit_status(const RunOutcome& outcome, const ScenarioState& state, Platform& platform) {
  switch (outcome.kind) {
    case RunOutcome::Kind::stopped_by_error_box:
      return kExitErrorBox;
    case RunOutcome::Kind::nothing_compiled:
      platform.report("Nothing was compiled (" + recorded_failure(state) +
                      "); no binary file was written.");
      return kExitNothingCompiled;
    case RunOutcome::Kind::file_fault:
      platform.report("Cannot write " + outcome.fault->describe());
      return kExitFileFault;
    case RunOutcome::Kind::files_written:
      break;
  }
  if (!state.failure.recorded()) return kExitSuccess;
  platform.report("Compiled with " + recorded_failure(state) +
                  "; the files hold what was compiled before it.");
  return kExitRecordedFailure;
}

}  // namespace

int Form_Load(Platform& platform, const ScenarioPayload& payload) {
  ScenarioState state;
  state.line_name = payload.line_name;
  state.train_number = payload.train_number;

  platform.show_waiting_window("Attendere");

  if (auto fault = write_scenario_texts(state, payload, platform.program_folder())) {
    platform.report("Cannot write " + fault->describe());
    return kExitFileFault;
  }
  const RunOutcome outcome = memorizza_percorso(state, 1, platform);
  const int status = exit_status(outcome, state, platform);
  if (outcome.text_file_left)
    platform.report("Cannot delete " + outcome.text_file_left->describe());
  return status;
}

}  // namespace scenario
