#include "app/form_load.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/exit_status.h"
#include "app/memorizza_percorso.h"
#include "model/file_fault.h"
#include "model/file_names.h"
#include "model/scenario_state.h"
#include "payload/text_writers.h"
#include "platform/disk_folder.h"

namespace scenario {

namespace {

// Lets go of the run's folder however the run ends.
class FolderRelease {
 public:
  explicit FolderRelease(Platform& platform) : platform_(platform) {}
  FolderRelease(const FolderRelease&) = delete;
  FolderRelease& operator=(const FolderRelease&) = delete;
  ~FolderRelease() { platform_.release_folder(); }

 private:
  Platform& platform_;
};

std::string wait_text(std::chrono::milliseconds patience) {
  if (patience.count() % 1000 == 0) return std::to_string(patience.count() / 1000) + " s";
  return std::to_string(patience.count()) + " ms";
}

std::string recorded_failure(const ScenarioState& state) {
  return "error " + std::to_string(state.failure.number()) + " at " +
         std::to_string(state.failure.error_position) + " m";
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
      platform.note("Nothing was compiled (" + recorded_failure(state) +
                    "); no binary file was written.");
      return kExitNothingCompiled;
    case RunOutcome::Kind::files_written:
      break;
  }
  if (!state.failure.recorded()) return kExitSuccess;
  platform.note("Compiled with " + recorded_failure(state) +
                "; the files hold what was compiled before it.");
  return kExitRecordedFailure;
}

}  // namespace

int Form_Load(Platform& platform, const ScenarioPayload& payload,
              std::chrono::milliseconds patience) {
  ScenarioState state;
  state.line_name = payload.line_name;
  state.train_number = payload.train_number;

  platform.show_waiting_window("Attendere");

  const auto folder = platform.program_folder();
  if (!folder) {
    platform.report("Cannot find the program's folder: " + folder.fault().describe());
    return kExitFileFault;
  }

  // Every run in a folder writes, reads back and deletes text files of shared names (all trains
  // of a line share the route file), so runs in one folder go one at a time, from the first
  // text file to the last binary file. The window says "Attendere" meanwhile.
  if (!platform.hold_folder(folder.value(), patience)) {
    platform.report("Another run kept the folder " + path_text(folder.value()) + " busy for " +
                    wait_text(patience) + "; nothing was written.");
    return kExitFolderBusy;
  }

  // What the run has to say is said once the folder is free again: a box left open on the
  // screen must not keep the next run waiting.
  FileResult<> texts;
  std::optional<FileResult<RunOutcome>> run;
  std::vector<FileFault> left;  // text files that could not be removed after a failed write
  {
    const FolderRelease release(platform);
    // The folder is ours alone now (or on a disk without locks, where runs were never kept
    // apart), so a temporary file beside one of ours is a killed run's, up to 20 MB each.
    DiskFolder files(folder.value(), Flush::to_disk, Abandoned::remove);
    texts = write_scenario_texts(state, payload, files);
    if (texts) {
      run = memorizza_percorso(state, 1, platform, files);
    } else {
      // The route and train files are only ever there to be read back and deleted by the
      // compile, which will not run now: they must not stay behind.
      for (const std::string& name : {route_text_name(state), train_text_name(state)}) {
        if (auto removed = files.remove(name); !removed) {
          left.push_back(removed.fault());
        }
      }
    }
  }
  if (!texts) {
    platform.report("Cannot write " + texts.fault().describe());
    for (const FileFault& fault : left) platform.note("Cannot delete " + fault.describe());
    return kExitFileFault;
  }
  const int status = exit_status(*run, state, platform);
  // The run went on and wrote its files, so this is said beside the outcome, never in a box.
  if (run->ok() && run->value().text_file_left) {
    platform.note("Cannot delete " + run->value().text_file_left->describe());
  }
  return status;
}

}  // namespace scenario
