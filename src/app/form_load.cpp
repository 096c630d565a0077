#include "app/form_load.h"

#include <string>

#include "app/exit_status.h"
#include "app/memorizza_percorso.h"
#include "model/scenario_state.h"
#include "payload/text_writers.h"
#include "platform/file_system.h"

namespace scenario {

namespace {

std::string recorded_failure(const ScenarioState& state) {
  return "error " + std::to_string(state.error_code) + " at " +
         std::to_string(state.error_position) + " m";
}

int exit_status(const FileResult<RunOutcome>& run, const ScenarioState& state, Platform& platform) {
  if (!run) {
    platform.report("Cannot write " + run.fault().describe());
    return kExitFileFault;
  }
  switch (run.value().kind) {
    case RunOutcome::Kind::stopped_by_error_box:
      return kExitErrorBox;
    case RunOutcome::Kind::nothing_compiled:
      platform.report("Nothing was compiled (" + recorded_failure(state) +
                      "); no binary file was written.");
      return kExitNothingCompiled;
    case RunOutcome::Kind::files_written:
      break;
  }
  if (state.error_code == 0) return kExitSuccess;
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

  const auto folder = platform.program_folder();
  if (!folder) {
    platform.report("Cannot find the program's folder: " + folder.fault().describe());
    return kExitFileFault;
  }
  FolderSink files(folder.value());
  if (auto written = write_scenario_texts(state, payload, files); !written) {
    platform.report("Cannot write " + written.fault().describe());
    return kExitFileFault;
  }
  return exit_status(memorizza_percorso(state, 1, platform, files), state, platform);
}

}  // namespace scenario
