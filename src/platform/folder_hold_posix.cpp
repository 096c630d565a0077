#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <thread>

#include "platform/folder_hold.h"

namespace scenario {

// The folder opened for reading and locked with flock. The lock belongs to the open folder, so
// closing it, or the end of the process, lets go; nothing is left on the disk.
struct FolderHold::Lock {
  explicit Lock(int folder) : fd(folder) {}
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;
  ~Lock() { ::close(fd); }
  int fd;
};

FolderHold::FolderHold() = default;
FolderHold::FolderHold(State state, std::unique_ptr<Lock> lock)
    : state_(state), lock_(std::move(lock)) {}
FolderHold::FolderHold(FolderHold&& other) noexcept = default;
FolderHold& FolderHold::operator=(FolderHold&& other) noexcept = default;
FolderHold::~FolderHold() = default;

FolderHold FolderHold::take(const std::filesystem::path& folder,
                            std::chrono::milliseconds patience) {
  // The lock is on the folder's inode, so every path that reaches it meets the same lock.
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return FolderHold(State::unavailable, nullptr);
  auto lock = std::make_unique<Lock>(fd);

  // A blocking flock cannot be given a deadline, so a busy folder is asked again, more and more
  // rarely: a run takes milliseconds, the whole wait about a minute.
  const auto deadline = std::chrono::steady_clock::now() + patience;
  std::chrono::milliseconds pause{1};
  for (;;) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return FolderHold(State::held, std::move(lock));
    if (errno == EINTR) continue;
    if (errno != EWOULDBLOCK) return FolderHold(State::unavailable, nullptr);
    const auto now = std::chrono::steady_clock::now();
    if (now >= deadline) return FolderHold(State::busy, nullptr);
    std::this_thread::sleep_for(
        std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
    pause = std::min(pause * 2, std::chrono::milliseconds{50});
  }
}

}  // namespace scenario
