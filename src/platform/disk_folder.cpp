#include "platform/disk_folder.h"

#include <cerrno>
#include <fstream>
#include <ios>
#include <iterator>
#include <system_error>

namespace scenario {

FileResult<> DiskFolder::replace(std::string_view name, const Fill& fill) {
  const std::filesystem::path target = path_in(folder_, name);
  if (abandoned_ == Abandoned::remove) remove_abandoned_temporaries(target);
  return replace_file(target, fill, flush_);
}

FileResult<bool> DiskFolder::exists(std::string_view name) {
  const std::filesystem::path path = path_in(folder_, name);
  std::error_code error;
  const bool found = std::filesystem::exists(path, error);
  if (error) return FileFault{path, error.message()};
  return found;
}

FileResult<std::string> DiskFolder::read(std::string_view name) {
  const std::filesystem::path path = path_in(folder_, name);
  // The stream only says that it could not open the file; the system's reason is what the
  // refused open left in errno.
  errno = 0;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    const int refused = errno;
    return FileFault{path, refused != 0 ? std::generic_category().message(refused) : std::string(),
                     true};
  }
  std::string bytes;
  try {
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  } catch (const std::ios_base::failure& failure) {
    // The stream buffer throws, rather than setting a flag, when the system refuses a read (a
    // folder opens like a file but cannot be read).
    return FileFault{path, failure.code().message()};
  }
  if (in.bad()) return FileFault{path, std::string()};
  return bytes;
}

FileResult<> DiskFolder::remove(std::string_view name) {
  const std::filesystem::path path = path_in(folder_, name);
  // remove() reports a file that is not there as "nothing removed", not as an error.
  std::error_code error;
  std::filesystem::remove(path, error);
  if (error) return FileFault{path, error.message()};
  return {};
}

}  // namespace scenario
