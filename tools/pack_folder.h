#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "model/scenario_state.h"

namespace scenario::tool {

// One of the author's files that a run of the pack in its folder would lose, and how.
struct LostFile {
  std::filesystem::path file;
  std::string how;
};

// What a pack run writes into its folder as the three text files it leaves for the simulator
// (the files' bytes, as the run writes them).
struct LeftTexts {
  std::string notes;
  std::string slowdowns;
  std::string sheet;
};

// The files in `folder` that a run of the pack for `identity` there would lose: its route and
// train text files (L_linea.txt, L_T-.txt), which a run writes and then deletes, so that one
// found there is the author's; and the notes, slowdowns and train sheet files whose bytes are
// not those the run writes over them (one that cannot be read counts as differing). The binary
// files are no concern: a run replaces them by design. Empty when nothing would be lost.
std::vector<LostFile> files_a_run_would_lose(const std::filesystem::path& folder,
                                             const ScenarioState& identity,
                                             const LeftTexts& written);

// The refusal to pack into `folder`, naming each file and how to mend it; ends with a line end.
std::string lost_files_refusal(const std::filesystem::path& folder,
                               const std::vector<LostFile>& lost);

}  // namespace scenario::tool
