#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <initializer_list>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "model/file_sink.h"
#include "platform/folder_hold.h"
#include "platform/platform.h"

namespace scenario::testing {

// A fresh empty folder, removed with everything in it at the end of the test.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / std::string(name); }

 private:
  std::filesystem::path path_;
};

// Lines of a text file, each ended by CR LF as the pack writes them.
std::string crlf_lines(std::initializer_list<std::string_view> lines);
// Whole content of a file, as bytes.
std::string read_file(const std::filesystem::path& path);
// Writes `bytes` to `path`, replacing it.
void write_file(const std::filesystem::path& path, std::string_view bytes);
// Names of the files in `folder`, sorted.
std::vector<std::string> file_names(const std::filesystem::path& folder);

// A platform that records what the run showed, with a temporary folder as the program's folder.
// Its folder hold only records, unless real_hold asks for the system's own.
class FakePlatform final : public Platform {
 public:
  explicit FakePlatform(std::filesystem::path folder) : folder_(std::move(folder)) {}

  // From now on the program's folder cannot be found, for this reason.
  void lose_folder(FileFault fault) { folder_ = std::move(fault); }

  void show_waiting_window(std::string_view caption) override;
  void show_error_box(std::string_view text) override;
  FileResult<std::filesystem::path> program_folder() override { return folder_; }
  bool hold_folder(const std::filesystem::path& folder,
                   std::chrono::milliseconds patience) override;
  void release_folder() override;
  void report(std::string_view line) override;
  void note(std::string_view line) override;

  // Set by a test: another run holds the folder for longer than any wait.
  bool folder_busy = false;
  // Set by a test: hold the folder with the system's own hold.
  bool real_hold = false;

  // What the run asked for, in order: "window", "hold", "release", "error box", "report",
  // "note" ("release" only when a hold was granted).
  std::vector<std::string> events;
  std::vector<std::string> captions;
  // The files in the folder at the moment the window was shown, held and let go.
  std::vector<std::string> files_when_shown;
  std::vector<std::string> files_when_held;
  std::vector<std::string> files_when_released;
  std::filesystem::path held_folder;
  std::chrono::milliseconds patience{-1};
  std::vector<std::string> error_boxes;
  std::vector<std::string> reports;
  std::vector<std::string> notes;

 private:
  FileResult<std::filesystem::path> folder_;
  FolderHold hold_;
  bool holding_ = false;
};

// Buffer size of the in-memory writers below: small and odd, so that most values straddle two
// fillings of the buffer.
inline constexpr std::size_t kSmallBuffer = 7;

// The bytes `fill` writes, passed through a buffer of `buffer_bytes`.
std::string bytes_written(const FileSink::Fill& fill, std::size_t buffer_bytes = kSmallBuffer);

// A sink that keeps the files written into it in memory, by name. A name in `refused` fails at
// its first drained bytes and is then not kept, as a folder keeps the older file.
class MemorySink final : public FileSink {
 public:
  FileResult<> replace(std::string_view name, const Fill& fill) override;

  std::map<std::string, std::string> files;
  std::vector<std::string> replaced;  // names in the order they were asked for
  std::set<std::string> refused;
};

}  // namespace scenario::testing
