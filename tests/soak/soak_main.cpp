// The soak: compiles many generated scenarios, valid and broken, through the pack's own run
// and through `scenario compile`, and checks that they agree: the same binary files byte for
// byte, matching statuses, and two runs of the pack leaving identical folders.
//
//   scenario_soak [--count N] [--seed S] [--keep FOLDER]
//
// Prints one line per disagreement and a summary; the status is 1 when any scenario
// disagreed. --keep leaves every disagreeing scenario's texts in FOLDER for a later look.
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "app/form_load.h"
#include "payload/scenario_payload.h"
#include "platform/folder_hold.h"
#include "platform/platform.h"
#include "soak/scenario_generator.h"
#include "tool_main.h"

namespace {

namespace fs = std::filesystem;
using scenario::testing::GeneratedScenario;

constexpr const char* kLine = "Soak Linea";
constexpr const char* kTrain = "7";

// A pack's platform without a screen: its folder is the one given, its hold the system's own.
class FolderPlatform final : public scenario::Platform {
 public:
  explicit FolderPlatform(fs::path folder) : folder_(std::move(folder)) {}
  void show_waiting_window(std::string_view) override {}
  void show_error_box(std::string_view) override {}
  scenario::FileResult<fs::path> program_folder() override { return folder_; }
  bool hold_folder(const fs::path& folder, std::chrono::milliseconds patience) override {
    hold_ = scenario::FolderHold::take(folder, patience);
    return hold_.state() != scenario::FolderHold::State::busy;
  }
  void release_folder() override { hold_ = scenario::FolderHold(); }
  void report(std::string_view) override {}
  void note(std::string_view) override {}

 private:
  fs::path folder_;
  scenario::FolderHold hold_;
};

std::string read_bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void write_bytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Every file in a folder with its bytes.
std::map<std::string, std::string> contents(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(folder)) {
    files[entry.path().filename().string()] = read_bytes(entry.path());
  }
  return files;
}

void empty(const fs::path& folder) {
  fs::remove_all(folder);
  fs::create_directories(folder);
}

int run_pack(const GeneratedScenario& made, const fs::path& folder) {
  empty(folder);
  const scenario::ScenarioPayload payload{kLine, kTrain, made.route, made.train, "", "", ""};
  FolderPlatform platform(folder);
  return scenario::Form_Load(platform, payload);
}

int run_compile(const GeneratedScenario& made, const fs::path& work) {
  empty(work / "author");
  empty(work / "out");
  write_bytes(work / "author" / "route.txt", made.route);
  write_bytes(work / "author" / "train.txt", made.train);
  const std::string route = (work / "author" / "route.txt").string();
  const std::string train = (work / "author" / "train.txt").string();
  const std::string out = (work / "out").string();
  const char* argv[] = {"scenario", "compile", "--route",  route.c_str(), "--train", train.c_str(),
                        "--line",   kLine,     "--number", kTrain,        "--out",   out.c_str()};
  std::ostringstream ignored_out, ignored_err;
  return scenario::tool::run_tool(static_cast<int>(std::size(argv)), argv, ignored_out,
                                  ignored_err);
}

// The status `scenario compile` gives for a pack's status: a run that compiled nothing is a
// recorded failure to the command.
int compile_status_for(int pack_status) { return pack_status == 3 ? 1 : pack_status; }

// What went wrong with one scenario, or "" when pack, second pack and command agree.
std::string disagreement(const GeneratedScenario& made, const fs::path& work, int& pack_status) {
  pack_status = run_pack(made, work / "first");
  const auto first = contents(work / "first");
  const int again = run_pack(made, work / "second");
  if (again != pack_status)
    return "two runs ended " + std::to_string(pack_status) + " and " + std::to_string(again);
  if (contents(work / "second") != first) return "two runs left different files";

  const int tool_status = run_compile(made, work);
  if (tool_status != compile_status_for(pack_status)) {
    return "pack ended " + std::to_string(pack_status) + ", scenario compile " +
           std::to_string(tool_status);
  }
  const auto delivered = contents(work / "out");
  for (const auto& [name, bytes] : delivered) {
    const auto packed = first.find(name);
    if (packed == first.end()) return "scenario compile wrote " + name + ", the pack did not";
    if (packed->second != bytes) return name + " differs between the pack and scenario compile";
  }
  for (const std::string& name :
       {std::string(kLine) + "_linea.dat", std::string(kLine) + "_" + kTrain + ".sim",
        std::string(kLine) + "_" + kTrain + ".dat"}) {
    if (first.contains(name) && !delivered.contains(name)) {
      return "the pack wrote " + name + ", scenario compile did not";
    }
  }
  return "";
}

}  // namespace

int main(int argc, char** argv) {
  std::uint64_t count = 300, seed = 1;
  fs::path keep;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--count") {
      count = std::strtoull(argv[i + 1], nullptr, 10);
    } else if (option == "--seed") {
      seed = std::strtoull(argv[i + 1], nullptr, 10);
    } else if (option == "--keep") {
      keep = argv[i + 1];
    } else {
      std::cerr << "usage: scenario_soak [--count N] [--seed S] [--keep FOLDER]\n";
      return 64;
    }
  }
  if (argc % 2 == 0) {
    std::cerr << "usage: scenario_soak [--count N] [--seed S] [--keep FOLDER]\n";
    return 64;
  }

  // Memory-backed when the system has it: every run flushes each file it replaces to disk, and
  // on a real disk the flushes, not the compiles, would set the pace. The command's working
  // folders go there too.
  std::error_code no_shm;
  const fs::path base =
      fs::is_directory("/dev/shm", no_shm) ? fs::path("/dev/shm") : fs::temp_directory_path();
  const fs::path work = base / ("scenario-soak-" + std::to_string(::getpid()));
  fs::create_directories(work / "tmp");
  ::setenv("TMPDIR", (work / "tmp").c_str(), 1);
  const auto started = std::chrono::steady_clock::now();
  std::map<int, std::uint64_t> statuses;
  std::uint64_t broken = 0, failed = 0;
  for (std::uint64_t s = seed; s < seed + count; ++s) {
    const GeneratedScenario made = scenario::testing::generate_scenario(s);
    if (!made.damage.empty()) ++broken;
    if ((s - seed) % 1000 == 999) std::cout << (s - seed + 1) << " scenarios soaked" << std::endl;
    int pack_status = -1;
    const std::string wrong = disagreement(made, work, pack_status);
    ++statuses[pack_status];
    if (wrong.empty()) continue;
    ++failed;
    std::cout << "seed " << s << (made.damage.empty() ? "" : " (" + made.damage + ")") << ": "
              << wrong << "\n";
    if (!keep.empty()) {
      fs::create_directories(keep);
      write_bytes(keep / ("route-" + std::to_string(s) + ".txt"), made.route);
      write_bytes(keep / ("train-" + std::to_string(s) + ".txt"), made.train);
    }
  }
  fs::remove_all(work);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

  std::cout << "soak: " << count << " scenarios from seed " << seed << " (" << broken
            << " broken on purpose) in " << seconds << " s; pack statuses:";
  for (const auto& [status, times] : statuses) std::cout << " " << status << "x" << times;
  std::cout << "\n" << (count - failed) << " passed, " << failed << " failed\n";
  return failed == 0 ? 0 : 1;
}
