#include "platform/console_platform.h"

#include <unistd.h>

#include <iostream>
#include <string>
#include <system_error>

namespace scenario {

void ConsolePlatform::show_waiting_window(std::string_view caption) {
  std::cout << caption << std::endl;  // flushed: it must be seen before the work starts
}

void ConsolePlatform::show_error_box(std::string_view text) {
  std::cerr << text << std::endl;
  // The box's OK button: wait for Enter, but never block a run that nobody is watching.
  if (isatty(STDIN_FILENO)) {
    std::cerr << "Press Enter to close." << std::endl;
    std::string answer;
    std::getline(std::cin, answer);
  }
}

FileResult<std::filesystem::path> folder_started_from(const std::string& started_as) {
  if (started_as.empty()) return FileFault{"the program", "started without a name"};
  const std::filesystem::path name(started_as);
  if (!name.has_parent_path()) {
    return FileFault{name, "started by a name without its folder, so the folder is not known"};
  }
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(name, ec);
  if (ec) return FileFault{name, ec.message()};
  return absolute.parent_path();
}

FileResult<std::filesystem::path> ConsolePlatform::program_folder() {
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec && self.has_parent_path()) return self.parent_path();
  return folder_started_from(argv0_);
}

bool ConsolePlatform::hold_folder(const std::filesystem::path& folder,
                                  std::chrono::milliseconds patience) {
  hold_ = FolderHold::take(folder, patience);
  return hold_.state() != FolderHold::State::busy;
}

void ConsolePlatform::report(std::string_view line) { std::cerr << line << std::endl; }

void ConsolePlatform::note(std::string_view line) { std::cerr << line << std::endl; }

std::unique_ptr<Platform> make_platform(int argc, char** argv) {
  return std::make_unique<ConsolePlatform>(argc > 0 ? argv[0] : "");
}

}  // namespace scenario
