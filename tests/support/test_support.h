#pragma once

#include <cstddef>
#include <filesystem>
#include <initializer_list>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "model/file_sink.h"
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
class FakePlatform final : public Platform {
 public:
  explicit FakePlatform(std::filesystem::path folder) : folder_(std::move(folder)) {}

  // From now on the program's folder cannot be found, for this reason.
  void lose_folder(FileFault fault) { folder_ = std::move(fault); }

  void show_waiting_window(std::string_view caption) override;
  void show_error_box(std::string_view text) override { error_boxes.emplace_back(text); }
  FileResult<std::filesystem::path> program_folder() override { return folder_; }
  void report(std::string_view line) override { reports.emplace_back(line); }

  std::vector<std::string> captions;
  // The files in the folder at the moment the window was shown.
  std::vector<std::string> files_when_shown;
  std::vector<std::string> error_boxes;
  std::vector<std::string> reports;

 private:
  FileResult<std::filesystem::path> folder_;
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
