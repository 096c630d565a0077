// The whole compile of the pack from a route and a train text: the input is split at its first
// form feed (route before, train after; no form feed: no train file), both files are put in a
// folder under /dev/shm under the pack's names, and the run of the pack compiles them into its
// binary files, once with the line profile (j = 1) and once without (j = 0).

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "app/memorizza_percorso.h"
#include "model/file_names.h"
#include "model/scenario_state.h"
#include "platform/disk_folder.h"
#include "platform/file_system.h"
#include "platform/platform.h"

#include "run_folder.h"

namespace {

namespace fs = std::filesystem;

// A platform that shows nothing; its folder is the fuzzer's own.
class FuzzPlatform final : public scenario::Platform {
 public:
  explicit FuzzPlatform(fs::path folder) : folder_(std::move(folder)) {}
  void show_waiting_window(std::string_view) override {}
  void show_error_box(std::string_view) override {}
  scenario::FileResult<fs::path> program_folder() override { return folder_; }
  bool hold_folder(const fs::path&, std::chrono::milliseconds) override { return true; }
  void release_folder() override {}
  void report(std::string_view) override {}
  void note(std::string_view) override {}

 private:
  fs::path folder_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t split = input.find('\f');
  const RunFolder run("scenario-fuzz");
  const fs::path& folder = run.path();
  for (const std::int32_t j : {1, 0}) {
    scenario::ScenarioState state;
    state.line_name = "Fuzz";
    state.train_number = "1";
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(folder, ignored))
      fs::remove(entry.path(), ignored);
    put(scenario::path_in(folder, scenario::route_text_name(state)), input.substr(0, split));
    if (split != std::string_view::npos) {
      put(scenario::path_in(folder, scenario::train_text_name(state)), input.substr(split + 1));
    }
    FuzzPlatform platform(folder);
    scenario::DiskFolder files(folder);
    // A file fault here is the run's answer, not a finding: the fuzzer looks for crashes.
    static_cast<void>(scenario::memorizza_percorso(state, j, platform, files));
  }
  return 0;
}
