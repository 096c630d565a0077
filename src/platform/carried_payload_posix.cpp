#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/carried_payload.h"
#include "platform/pack_trailer.h"
#include "platform/program_file.h"

namespace scenario {

namespace {

// The running program's own file: the kernel keeps this name pointing at it even when the file
// has been renamed since the program started.
constexpr const char* kSelf = "/proc/self/exe";

std::filesystem::path self_path() {
  std::filesystem::path self = running_program_file();
  return self.empty() ? std::filesystem::path(kSelf) : self;
}

// Reads exactly bytes.size() bytes at `offset`; false on a fault or a file that ends early.
bool read_at(int fd, std::uint64_t offset, std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t got =
        ::pread(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      if (got == 0) errno = EIO;
      return false;
    }
    done += static_cast<std::size_t>(got);
  }
  return true;
}

class OpenFile {
 public:
  explicit OpenFile(int fd) : fd_(fd) {}
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  ~OpenFile() {
    if (fd_ >= 0) ::close(fd_);
  }
  int fd() const { return fd_; }

 private:
  int fd_;
};

}  // namespace

FileResult<std::string> read_carried_payload() {
  const OpenFile self(::open(kSelf, O_RDONLY | O_CLOEXEC));
  if (self.fd() < 0) return FileFault{self_path(), std::strerror(errno)};
  struct stat status {};
  if (::fstat(self.fd(), &status) != 0) return FileFault{self_path(), std::strerror(errno)};
  const auto file_size = static_cast<std::uint64_t>(status.st_size);

  std::string tail(file_size < kTrailerSize ? static_cast<std::size_t>(file_size) : kTrailerSize,
                   '\0');
  if (!read_at(self.fd(), file_size - tail.size(), tail)) {
    return FileFault{self_path(), std::strerror(errno)};
  }
  const auto span = read_pack_trailer(tail, file_size);
  if (const auto* fault = std::get_if<TrailerFault>(&span)) {
    return FileFault{self_path(), std::string(trailer_fault_meaning(*fault))};
  }
  const BlockSpan block = std::get<BlockSpan>(span);
  std::string bytes(static_cast<std::size_t>(block.size), '\0');
  if (!read_at(self.fd(), block.offset, bytes)) return FileFault{self_path(), std::strerror(errno)};
  return bytes;
}

}  // namespace scenario
