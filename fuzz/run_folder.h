#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

// What the harnesses that work in folders share: a fresh folder for one input, in memory where
// the system has it, holding the input's files and the system's temporary folder (TMPDIR points
// into it, so a working folder the code under test makes goes there too), removed with
// everything in it once the input is done: the fuzzer ends without running exit handlers, so
// nothing may be left for the end.
class RunFolder {
 public:
  explicit RunFolder(std::string_view harness) {
    std::error_code no_shm;
    const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", no_shm)
                                           ? std::filesystem::path("/dev/shm")
                                           : std::filesystem::temp_directory_path();
    path_ = base / (std::string(harness) + "-" + std::to_string(::getpid()));
    std::filesystem::create_directories(path_ / "tmp");
    ::setenv("TMPDIR", (path_ / "tmp").c_str(), 1);
  }
  RunFolder(const RunFolder&) = delete;
  RunFolder& operator=(const RunFolder&) = delete;
  ~RunFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Writes `bytes` as the whole of the file at `path`.
inline void put(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
