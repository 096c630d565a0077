#pragma once

#include <filesystem>
#include <string_view>

#include "model/file_fault.h"
#include "platform/folder_hold.h"

namespace scenario::tool {

// A private folder under the system's temporary folder, removed with everything in it when the
// object goes. The compile runs there so that its deletions never reach the author's files.
// The folder is held (folder_hold.h) for the object's life: a run that is killed cannot remove
// it, but the system lets go of its hold, and the next working folder made in the same place
// removes every working folder that nobody holds any more.
class WorkingFolder {
 public:
  // The start of every working folder's name.
  static constexpr std::string_view kNamePrefix = "scenario-compile-run-";

  // Creates a fresh folder in the system's temporary folder, or says why none could be made.
  static FileResult<WorkingFolder> create();
  // The same in `base`.
  static FileResult<WorkingFolder> create_in(const std::filesystem::path& base);

  WorkingFolder(WorkingFolder&& other) noexcept;
  WorkingFolder& operator=(WorkingFolder&&) = delete;
  WorkingFolder(const WorkingFolder&) = delete;
  WorkingFolder& operator=(const WorkingFolder&) = delete;
  ~WorkingFolder();

  const std::filesystem::path& path() const { return path_; }

 private:
  WorkingFolder(std::filesystem::path path, FolderHold hold)
      : path_(std::move(path)), hold_(std::move(hold)) {}
  std::filesystem::path path_;
  FolderHold hold_;
};

// Removes, with everything in them, the working folders directly in `base` that no run holds:
// those of runs that ended without removing them. A folder whose hold the system cannot tell
// (on a disk without locks) is kept, and so is anything that is not a folder.
void remove_abandoned_working_folders(const std::filesystem::path& base);

}  // namespace scenario::tool
