#pragma once

#include <filesystem>
#include <memory>
#include <string_view>

namespace scenario {

// What the run needs from the machine it runs on: the waiting window, the error box, the folder
// that holds the program, and a place to say why a run did not succeed. The build picks one
// backend (console or Win32); tests pass a fake.
class Platform {
 public:
  virtual ~Platform() = default;

  // Shows the program's only window with its caption and paints it at once. Nothing repaints it
  // afterwards: the run does its work without handing control back.
  virtual void show_waiting_window(std::string_view caption) = 0;

  // Shows a modal box with the text and a single OK button; returns once it is closed.
  virtual void show_error_box(std::string_view text) = 0;

  // The folder that holds the running program (not the working directory).
  virtual std::filesystem::path program_folder() = 0;

  // One line for whoever started the program, saying why the run did not succeed.
  virtual void report(std::string_view line) = 0;

  // One line saying why the run stops before it has written its files, for a reason other than
  // a recorded compile failure (its own payload damaged, say). A run without a console must not
  // end unseen: the Windows backend also shows it in a message box captioned with the pack's
  // name. Elsewhere it is report().
  virtual void report_stop(std::string_view line) { report(line); }
};

// The backend the build selected, for the pack's entry point.
std::unique_ptr<Platform> make_platform(int argc, char** argv);

}  // namespace scenario
