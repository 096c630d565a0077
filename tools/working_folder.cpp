#include "working_folder.h"

#include <random>
#include <string>
#include <system_error>

namespace scenario::tool {

FileResult<WorkingFolder> WorkingFolder::create() {
  std::error_code error;
  const std::filesystem::path base = std::filesystem::temp_directory_path(error);
  if (error) return FileFault{"the temporary folder", error.message()};
  // create_directory reports an existing folder as "not created", so a name another process
  // already holds is never shared: try another one.
  std::random_device seed;
  std::mt19937_64 names(seed());
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::filesystem::path candidate = base / ("scenario-compile-" + std::to_string(names()));
    if (std::filesystem::create_directory(candidate, error)) return WorkingFolder(candidate);
    if (error) return FileFault{candidate, error.message()};
  }
  return FileFault{base, "no unused name for a working folder"};
}

WorkingFolder::WorkingFolder(WorkingFolder&& other) noexcept : path_(std::move(other.path_)) {
  other.path_.clear();
}

WorkingFolder::~WorkingFolder() {
  if (path_.empty()) return;
  std::error_code ignored;  // nothing useful can be done about a folder that will not go
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace scenario::tool
