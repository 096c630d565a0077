#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <string>

#include "model/code_page_1252.h"
#include "platform/file_system.h"

namespace scenario {

namespace {

FileFault fault(const std::filesystem::path& path, int error) {
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

// Writes each full buffer to the temporary file; a fault names the target, the file the
// caller asked for.
class FileDrain final : public ByteDrain {
 public:
  FileDrain(int fd, const std::filesystem::path& target) : fd_(fd), target_(target) {}

  FileResult<> drain(std::string_view bytes) override {
    while (!bytes.empty()) {
      const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
      if (written < 0) {
        if (errno == EINTR) continue;
        return fault(target_, errno);
      }
      bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
  }

 private:
  int fd_;
  const std::filesystem::path& target_;
};

// Writes, flushes and closes the temporary file; the fault of the first step that failed.
FileResult<> write_and_close(int fd, const std::filesystem::path& target,
                             const FileSink::Fill& fill, Flush flush) {
  const auto buffer = std::make_unique_for_overwrite<char[]>(kWriteBufferBytes);
  FileDrain drain(fd, target);
  ByteWriter out(std::span<char>(buffer.get(), kWriteBufferBytes), drain);
  try {
    fill(out);
  } catch (...) {
    ::close(fd);
    throw;
  }
  FileResult<> written = out.finish();
  if (written && flush == Flush::to_disk && ::fsync(fd) != 0) written = fault(target, errno);
  if (::close(fd) != 0 && written) written = fault(target, errno);
  return written;
}

}  // namespace

// The file system's names are UTF-8; the scenario's are single-byte text of code page 1252.
std::filesystem::path path_in(const std::filesystem::path& folder, std::string_view name) {
  return folder / code_page_1252_to_utf8(name);
}

FileResult<> replace_file(const std::filesystem::path& target, const FileSink::Fill& fill,
                          Flush flush) {
  std::filesystem::path temporary;
  const int fd = open_temporary(target, temporary);
  if (fd < 0) return fault(target, errno);

  FileResult<> written;
  try {
    written = write_and_close(fd, target, fill, flush);
  } catch (...) {
    ::unlink(temporary.c_str());
    throw;
  }
  if (written && ::rename(temporary.c_str(), target.c_str()) != 0) written = fault(target, errno);
  if (!written) ::unlink(temporary.c_str());
  return written;
}

}  // namespace scenario
