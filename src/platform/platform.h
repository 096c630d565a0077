#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <string_view>

#include "model/file_fault.h"

namespace scenario {

// What the run needs from the machine it runs on: the waiting window, the error box, the folder
// that holds the program, a hold on that folder, and places to say why a run did not succeed.
// The build picks one backend (console or Win32); tests pass a fake.
class Platform {
 public:
  virtual ~Platform() = default;

  // Shows the program's only window with its caption and paints it at once. Nothing repaints it
  // afterwards: the run does its work without handing control back.
  virtual void show_waiting_window(std::string_view caption) = 0;

  // Shows a modal box with the text and a single OK button; returns once it is closed.
  virtual void show_error_box(std::string_view text) = 0;

  // The folder that holds the running program (not the working directory), or the fault that
  // kept the system from saying which it is: never an empty path.
  virtual FileResult<std::filesystem::path> program_folder() = 0;

  // Waits until no other run holds `folder`, for at most `patience`, then holds it for this run
  // until release_folder() or the end of the process, however it ends. Returns false when
  // another run still held it after `patience`. A folder the system cannot hold (on a disk
  // without locks) is worked in as if the run were alone, as it always was.
  virtual bool hold_folder(const std::filesystem::path& folder,
                           std::chrono::milliseconds patience) = 0;

  // Lets go of the folder held by hold_folder(); does nothing when none is held.
  virtual void release_folder() = 0;

  // One line for whoever started the program, saying why the run ended without writing its
  // files: a file fault, a folder kept busy by another run, its own payload damaged, a fault of
  // the program itself.
  // Windows shows it in a message box, since a pack started there has no console.
  virtual void report(std::string_view line) = 0;

  // One line naming the failure the compile recorded, for a console or a script. Never shown in
  // a window: a pack keeps its recorded failures to itself.
  virtual void note(std::string_view line) = 0;
};

// The backend the build selected, for the pack's entry point.
std::unique_ptr<Platform> make_platform(int argc, char** argv);

}  // namespace scenario
