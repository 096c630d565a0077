// The soak: compiles many generated scenarios, valid and broken, through the pack's own run and
// through the `scenario` commands, and checks that they agree: two runs of the pack leave
// identical folders; `scenario compile` gives the pack's bytes, status and failure;
// `scenario check` reports the failure the compile recorded, at its place, and none when it
// had none; every binary file rebuilt from its JSON dump is the file; `scenario verify`
// passes every clean set; now and then a pack made by `scenario pack` and run as a program
// gives the run's status, files and words.
//
//   scenario_soak [--count N] [--seed S] [--keep FOLDER] [--real-pack-every K]
//
// Prints one line per disagreement and a summary; the status is 1 when any scenario
// disagreed. --keep leaves every disagreeing scenario's texts in FOLDER for a later look.
// --real-pack-every makes a real pack of one scenario in K (default 50; 0 for none).
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>
#include <system_error>

#include "soak/pack_runs.h"
#include "soak/scenario_generator.h"
#include "soak/soak_case.h"

namespace {

namespace fs = std::filesystem;
using namespace scenario::testing;

constexpr const char* kUsage =
    "usage: scenario_soak [--count N] [--seed S] [--keep FOLDER] [--real-pack-every K]\n";

struct Options {
  std::uint64_t count = 300;
  std::uint64_t seed = 1;
  std::uint64_t real_pack_every = 50;
  fs::path keep;
};

bool read_options(int argc, char** argv, Options& options) {
  if (argc % 2 == 0) return false;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    char* end = nullptr;
    const std::uint64_t number = std::strtoull(argv[i + 1], &end, 10);
    const bool numeric = end != argv[i + 1] && *end == '\0';
    if (option == "--count" && numeric) {
      options.count = number;
    } else if (option == "--seed" && numeric) {
      options.seed = number;
    } else if (option == "--real-pack-every" && numeric) {
      options.real_pack_every = number;
    } else if (option == "--keep") {
      options.keep = argv[i + 1];
    } else {
      return false;
    }
  }
  return true;
}

// What the whole soak saw.
struct Tally {
  std::map<int, std::uint64_t> statuses;
  std::map<std::int64_t, std::uint64_t> codes;  // recorded failures and error boxes
  std::uint64_t broken = 0, failed = 0, real_packs = 0;
  std::array<std::uint64_t, kDisagreementKinds> by_kind{};
  std::map<std::string, std::uint64_t> verify_on_failure;
};

void print_summary(const Options& options, const Tally& tally, double seconds) {
  std::cout << "soak: " << options.count << " scenarios from seed " << options.seed << " ("
            << tally.broken << " broken on purpose) in " << seconds << " s; pack statuses:";
  for (const auto& [status, times] : tally.statuses) std::cout << " " << status << "x" << times;
  std::cout << "\nfailure codes recorded or shown:";
  for (const auto& [code, times] : tally.codes) std::cout << " " << code << "x" << times;
  std::cout << "\nreal packs run: " << tally.real_packs << "\ndisagreements by kind:";
  for (int k = 0; k < kDisagreementKinds; ++k) {
    std::cout << (k == 0 ? " " : ", ") << disagreement_name(static_cast<Disagreement>(k)) << " "
              << tally.by_kind[static_cast<std::size_t>(k)];
  }
  std::cout << "\nscenario verify on sets written with a recorded failure:\n";
  for (const auto& [line, times] : tally.verify_on_failure) {
    std::cout << "  " << times << " x " << line << "\n";
  }
  std::cout << (options.count - tally.failed) << " passed, " << tally.failed << " failed\n";
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!read_options(argc, argv, options)) {
    std::cerr << kUsage;
    return 64;
  }

  // Memory-backed when the system has it: every run flushes each file it replaces to disk, and
  // on a real disk the flushes, not the compiles, would set the pace. The commands' working
  // folders go there too.
  std::error_code no_shm;
  const fs::path base =
      fs::is_directory("/dev/shm", no_shm) ? fs::path("/dev/shm") : fs::temp_directory_path();
  const fs::path work = base / ("scenario-soak-" + std::to_string(::getpid()));
  fs::create_directories(work / "tmp");
  ::setenv("TMPDIR", (work / "tmp").c_str(), 1);
  const fs::path stub = SCENARIO_LINUX_STUB;

  const auto started = std::chrono::steady_clock::now();
  Tally tally;
  for (std::uint64_t s = options.seed; s < options.seed + options.count; ++s) {
    const std::uint64_t index = s - options.seed;
    const GeneratedScenario made = generate_scenario(s);
    if (!made.damage.empty()) ++tally.broken;
    if (index % 1000 == 999) std::cout << (index + 1) << " scenarios soaked" << std::endl;
    const bool real_pack = options.real_pack_every > 0 && index % options.real_pack_every == 0;
    const CaseOutcome outcome = soak_one(made, work, stub, real_pack);
    ++tally.statuses[outcome.pack_status];
    if (outcome.error_code != 0) ++tally.codes[outcome.error_code];
    if (outcome.fatal != 0) ++tally.codes[outcome.fatal];
    if (outcome.real_pack_run) ++tally.real_packs;
    for (const std::string& line : outcome.verify_on_failure) ++tally.verify_on_failure[line];
    if (outcome.wrong.empty()) continue;
    ++tally.failed;
    for (const Found& found : outcome.wrong) {
      ++tally.by_kind[static_cast<std::size_t>(found.kind)];
      std::cout << "seed " << s << (made.damage.empty() ? "" : " (" + made.damage + ")") << ": "
                << disagreement_name(found.kind) << ": " << found.detail << "\n";
    }
    if (!options.keep.empty()) {
      fs::create_directories(options.keep);
      write_bytes(options.keep / ("route-" + std::to_string(s) + ".txt"), made.route);
      write_bytes(options.keep / ("train-" + std::to_string(s) + ".txt"), made.train);
    }
  }
  fs::remove_all(work);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  print_summary(options, tally, seconds);
  return tally.failed == 0 ? 0 : 1;
}
