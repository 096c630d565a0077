#include "parse/text_files.h"

#include <system_error>

#include "parse/read_fault.h"

namespace scenario {

FileResult<bool> text_file_exists(const std::filesystem::path& path) {
  std::error_code error;
  const bool exists = std::filesystem::exists(path, error);
  if (error) return FileFault{path, error.message()};
  return exists;
}

FileResult<> remove_text_file(const std::filesystem::path& path) {
  // remove() reports a file that is not there as "nothing removed", not as an error.
  std::error_code error;
  std::filesystem::remove(path, error);
  if (error) return FileFault{path, error.message()};
  return {};
}

void remove_text_file_or_fault(const std::filesystem::path& path) {
  if (const FileResult<> removed = remove_text_file(path); !removed) {
    throw ReadFault::about_file("cannot delete", removed.fault().reason);
  }
}

}  // namespace scenario
