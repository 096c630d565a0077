#include "working_folder.h"

#include <chrono>
#include <random>
#include <string>
#include <system_error>
#include <vector>

namespace scenario::tool {

using namespace std::chrono_literals;

void remove_abandoned_working_folders(const std::filesystem::path& base) {
  std::error_code error;
  std::vector<std::filesystem::path> abandoned;
  for (std::filesystem::directory_iterator
           entry(base, std::filesystem::directory_options::skip_permission_denied, error),
       end;
       !error && entry != end; entry.increment(error)) {
    if (!entry->path().filename().string().starts_with(WorkingFolder::kNamePrefix)) continue;
    std::error_code kind;
    if (entry->is_symlink(kind) || !entry->is_directory(kind)) continue;
    abandoned.push_back(entry->path());
  }
  for (const std::filesystem::path& folder : abandoned) {
    // Held while it goes, so that a run making a folder of this name at this moment sees it
    // taken and tries another name.
    const FolderHold hold = FolderHold::take(folder, 0ms);
    if (hold.state() != FolderHold::State::held) continue;
    std::error_code ignored;  // one that will not go is tried again by the next run
    std::filesystem::remove_all(folder, ignored);
  }
}

FileResult<WorkingFolder> WorkingFolder::create() {
  std::error_code error;
  const std::filesystem::path base = std::filesystem::temp_directory_path(error);
  if (error) return FileFault{"the temporary folder", error.message()};
  return create_in(base);
}

FileResult<WorkingFolder> WorkingFolder::create_in(const std::filesystem::path& base) {
  remove_abandoned_working_folders(base);

  // create_directory reports an existing folder as "not created", so a name another process
  // already holds is never shared: try another one.
  std::random_device seed;
  std::mt19937_64 names(seed());
  std::error_code error;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::filesystem::path candidate =
        base / (std::string(kNamePrefix) + std::to_string(names()));
    if (!std::filesystem::create_directory(candidate, error)) {
      if (error) return FileFault{candidate, error.message()};
      continue;
    }
    // Between its making and its holding, another run clearing abandoned folders may have
    // taken the new folder for one: then it is gone or going, and another name is tried.
    FolderHold hold = FolderHold::take(candidate, 0ms);
    if (hold.state() == FolderHold::State::busy || !std::filesystem::exists(candidate, error)) {
      continue;
    }
    return WorkingFolder(candidate, std::move(hold));
  }
  return FileFault{base, "no unused name for a working folder"};
}

WorkingFolder::WorkingFolder(WorkingFolder&& other) noexcept
    : path_(std::move(other.path_)), hold_(std::move(other.hold_)) {
  other.path_.clear();
}

WorkingFolder::~WorkingFolder() {
  if (path_.empty()) return;
  std::error_code ignored;  // nothing useful can be done about a folder that will not go
  std::filesystem::remove_all(path_, ignored);
  // The hold goes after the folder, so that no other run takes the folder while it empties.
}

}  // namespace scenario::tool
