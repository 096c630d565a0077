// The floor the compile is measured against: writes files of given names and sizes into a
// folder the way the pack replaces a file (a temporary file beside it, written in order,
// flushed to disk, renamed over the old one), from bytes already in memory. Nothing is
// computed and nothing is read, so no compile can write the same files faster.
//
//   bench_floor FOLDER NAME SIZE [NAME SIZE]...

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kBufferBytes = std::size_t{1} << 20;

bool write_file(const std::string& folder, const std::string& name, std::uint64_t size,
                const std::vector<char>& bytes) {
  const std::string target = folder + "/" + name;
  const std::string temporary = folder + "/." + name + ".tmp";
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  std::uint64_t left = size;
  while (left > 0) {
    const std::size_t chunk = left < bytes.size() ? static_cast<std::size_t>(left) : bytes.size();
    const ssize_t written = ::write(fd, bytes.data(), chunk);
    if (written < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return false;
    }
    left -= static_cast<std::uint64_t>(written);
  }
  const bool flushed = ::fsync(fd) == 0;
  return ::close(fd) == 0 && flushed && ::rename(temporary.c_str(), target.c_str()) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4 || argc % 2 != 0) {
    std::fprintf(stderr, "usage: bench_floor FOLDER NAME SIZE [NAME SIZE]...\n");
    return 64;
  }
  std::vector<char> bytes(kBufferBytes);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 131 % 251);
  for (int i = 2; i < argc; i += 2) {
    const std::uint64_t size = std::strtoull(argv[i + 1], nullptr, 10);
    if (!write_file(argv[1], argv[i], size, bytes)) {
      std::fprintf(stderr, "bench_floor: %s/%s: %s\n", argv[1], argv[i], std::strerror(errno));
      return 74;
    }
  }
  return 0;
}
