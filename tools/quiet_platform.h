#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace scenario::tool {

// The platform of the authoring command: it shows nothing and never waits. The program's folder
// is the working folder; what the run would have shown is kept for the report.
class QuietPlatform final : public Platform {
 public:
  explicit QuietPlatform(std::filesystem::path folder) : folder_(std::move(folder)) {}

  void show_waiting_window(std::string_view) override {}
  void show_error_box(std::string_view text) override { error_boxes.emplace_back(text); }
  FileResult<std::filesystem::path> program_folder() override { return folder_; }
  // The working folder is the run's alone, and the working folder holds itself.
  bool hold_folder(const std::filesystem::path&, std::chrono::milliseconds) override {
    return true;
  }
  void release_folder() override {}
  void report(std::string_view line) override { reports.emplace_back(line); }
  void note(std::string_view line) override { notes.emplace_back(line); }

  std::vector<std::string> error_boxes;
  std::vector<std::string> reports;
  std::vector<std::string> notes;

 private:
  std::filesystem::path folder_;
};

}  // namespace scenario::tool
