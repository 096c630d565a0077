#include "pack_folder.h"

#include <system_error>

#include "file_moves.h"
#include "model/file_fault.h"
#include "model/file_names.h"
#include "platform/file_system.h"

namespace scenario::tool {

namespace {

bool is_file(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

// The path as the author reads it, with the same separators on every system.
std::string shown(const std::filesystem::path& path) {
  const std::u8string text = path.generic_u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace

std::vector<LostFile> files_a_run_would_lose(const std::filesystem::path& folder,
                                             const ScenarioState& identity,
                                             const LeftTexts& written) {
  std::vector<LostFile> lost;
  for (const std::string& name : {route_text_name(identity), train_text_name(identity)}) {
    const std::filesystem::path file = path_in(folder, name);
    if (is_file(file)) {
      lost.push_back({file, "a run writes its own copy over it and then deletes it"});
    }
  }
  const std::pair<std::string, const std::string*> left[] = {
      {notes_text_name(identity), &written.notes},
      {slowdowns_text_name(identity), &written.slowdowns},
      {sheet_text_name(identity), &written.sheet}};
  for (const auto& [name, bytes] : left) {
    const std::filesystem::path file = path_in(folder, name);
    if (!is_file(file)) continue;
    const auto held = read_whole_file(file);
    if (!held) {
      lost.push_back({file, "a run writes over it, and it cannot be read to compare (" +
                                held.fault().reason + ")"});
    } else if (held.value() != *bytes) {
      lost.push_back({file, "a run writes over it with other text"});
    }
  }
  return lost;
}

std::string lost_files_refusal(const std::filesystem::path& folder,
                               const std::vector<LostFile>& lost) {
  const std::string where = folder.empty() ? "the working folder" : shown(folder);
  std::string text =
      "scenario: not packed: a run of the pack in " + where + " would lose files that are yours:\n";
  for (const LostFile& file : lost) text += "  " + shown(file.file) + ": " + file.how + "\n";
  text +=
      "scenario: keep your sources under other names or in another folder, or write the pack "
      "elsewhere with -o (--force packs it here all the same)\n";
  return text;
}

}  // namespace scenario::tool
