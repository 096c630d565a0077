#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "model/code_page_1252.h"
#include "platform/file_system.h"

namespace scenario {

namespace {

std::optional<FileFault> fault(const std::filesystem::path& path, int error) {
  return FileFault{path, std::strerror(error)};
}

// Opens a fresh temporary file beside `target`; its mode follows the umask like any new file.
int open_temporary(const std::filesystem::path& target, std::filesystem::path& temporary) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = ".";
    name.append(target.filename().string());
    name.append(".").append(std::to_string(getpid()));
    name.append(".").append(std::to_string(attempt)).append(".tmp");
    temporary = target.parent_path() / name;
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

bool write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

// The file system's names are UTF-8; the scenario's are single-byte text of code page 1252.
std::filesystem::path path_in(const std::filesystem::path& folder, std::string_view name) {
  return folder / code_page_1252_to_utf8(name);
}

std::optional<FileFault> replace_file(const std::filesystem::path& target, std::string_view bytes) {
  std::filesystem::path temporary;
  const int fd = open_temporary(target, temporary);
  if (fd < 0) return fault(target, errno);

  const bool written = write_all(fd, bytes) && ::fsync(fd) == 0;
  const int write_error = errno;
  if (::close(fd) != 0 || !written) {
    const int error = written ? errno : write_error;
    ::unlink(temporary.c_str());
    return fault(target, error);
  }
  if (::rename(temporary.c_str(), target.c_str()) != 0) {
    const int error = errno;
    ::unlink(temporary.c_str());
    return fault(target, error);
  }
  return std::nullopt;
}

}  // namespace scenario
