#pragma once

#include <filesystem>
#include <string>

#include "platform/folder_hold.h"
#include "platform/platform.h"

namespace scenario {

// The folder of a program started by the name `started_as` (its argv[0]), for a system that does
// not say where the running program is: the name's own folder, made absolute. A name without a
// folder (a program found on the search path) gives a fault, never an empty path.
FileResult<std::filesystem::path> folder_started_from(const std::string& started_as);

// Text-mode backend: the window's caption is a line on standard output, the error box is a line
// on standard error answered with Enter when a terminal is attached, and so are reports and
// notes, without the wait. The folder is held with a lock on the folder itself.
class ConsolePlatform final : public Platform {
 public:
  // argv0 is only a fallback for finding the program's folder.
  explicit ConsolePlatform(std::string argv0) : argv0_(std::move(argv0)) {}

  void show_waiting_window(std::string_view caption) override;
  void show_error_box(std::string_view text) override;
  FileResult<std::filesystem::path> program_folder() override;
  bool hold_folder(const std::filesystem::path& folder,
                   std::chrono::milliseconds patience) override;
  void release_folder() override { hold_ = FolderHold(); }
  void report(std::string_view line) override;
  void note(std::string_view line) override;

 private:
  std::string argv0_;
  FolderHold hold_;
};

}  // namespace scenario
