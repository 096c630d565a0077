#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "soak/scenario_generator.h"

namespace scenario::testing {

// The ways a scenario of the soak can go wrong, each counted apart in the summary.
enum class Disagreement {
  two_runs,           // two runs of the pack ended differently or left different folders
  pack_and_compile,   // `scenario compile` parts from the pack's run
  check_and_compile,  // `scenario check` reports another outcome than the compile's
  dump_rebuild,       // a file rebuilt from its JSON dump is not the file
  verify,             // `scenario verify` finds fault with a clean compile's files
  real_pack,          // a pack made by `scenario pack` and run as a program parts from the run
};
inline constexpr int kDisagreementKinds = 6;
const char* disagreement_name(Disagreement kind);

struct Found {
  Disagreement kind;
  std::string detail;
};

// How one scenario went through every command.
struct CaseOutcome {
  int pack_status = -1;
  // The code `scenario compile` recorded and the one its error box showed; 0 for none.
  std::int64_t error_code = 0;
  std::int64_t fatal = 0;
  std::vector<Found> wrong;
  // What `scenario verify` said of a set written despite a recorded failure: its status and
  // its lines with the folder and the numbers taken out, so that alike findings count as one.
  std::vector<std::string> verify_on_failure;
  bool real_pack_run = false;
};

// One scenario of the soak, worked in folders under `work`: the pack's own run twice, then
// `scenario compile --json`, `scenario check --format json`, `scenario dump --format json` of
// every binary file compiled, `scenario verify` of the set and, when `real_pack`, `scenario
// pack` of the scenario and the pack run as a program in a folder of its own. `stub` is the
// Linux pack stub.
CaseOutcome soak_one(const GeneratedScenario& made, const std::filesystem::path& work,
                     const std::filesystem::path& stub, bool real_pack);

}  // namespace scenario::testing
