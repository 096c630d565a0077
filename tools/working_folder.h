#pragma once

#include <filesystem>

#include "model/file_fault.h"

namespace scenario::tool {

// A private folder under the system's temporary folder, removed with everything in it when the
// object goes. The compile runs there so that its deletions never reach the author's files.
class WorkingFolder {
 public:
  // Creates a fresh folder, or says why none could be made.
  static FileResult<WorkingFolder> create();

  WorkingFolder(WorkingFolder&& other) noexcept;
  WorkingFolder& operator=(WorkingFolder&&) = delete;
  WorkingFolder(const WorkingFolder&) = delete;
  WorkingFolder& operator=(const WorkingFolder&) = delete;
  ~WorkingFolder();

  const std::filesystem::path& path() const { return path_; }

 private:
  explicit WorkingFolder(std::filesystem::path path) : path_(std::move(path)) {}
  std::filesystem::path path_;
};

}  // namespace scenario::tool
