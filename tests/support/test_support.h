#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

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

  void show_waiting_window(std::string_view caption) override;
  void show_error_box(std::string_view text) override { error_boxes.emplace_back(text); }
  std::filesystem::path program_folder() override { return folder_; }
  void report(std::string_view line) override { reports.emplace_back(line); }
  void report_stop(std::string_view line) override { stops.emplace_back(line); }

  std::vector<std::string> captions;
  // The files in the folder at the moment the window was shown.
  std::vector<std::string> files_when_shown;
  std::vector<std::string> error_boxes;
  std::vector<std::string> reports;
  std::vector<std::string> stops;  // lines of a run that stopped before writing its files

 private:
  std::filesystem::path folder_;
};

}  // namespace scenario::testing
