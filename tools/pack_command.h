#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "author_text/saved_characters.h"

namespace scenario::tool {

// The system a pack is made for.
enum class PackTarget { windows, linux };

// File names of the stubs, as the build makes them and `scenario pack` looks for them.
inline constexpr const char* kLinuxStubName = "scenario-pack-linux";
inline constexpr const char* kWindowsStubName = "scenario-pack-windows.exe";

// What the author asked for: their files (the last three may be left out and are then empty),
// the identity as given on the command line (UTF-8), the target, where the pack goes, whether
// a scenario that records a failure or skips a whole file may be packed all the same, whether
// a folder where the pack's run would lose the author's files may take it, and how to talk.
struct PackRequest {
  std::filesystem::path route;
  std::filesystem::path train;
  std::optional<std::filesystem::path> notes;
  std::optional<std::filesystem::path> slowdowns;
  std::optional<std::filesystem::path> sheet;
  std::string line_name;
  std::string train_number;
  PackTarget target = PackTarget::windows;
  std::optional<std::filesystem::path> out;  // the pack's file, or a folder for it
  bool allow_failures = false;
  bool force = false;  // pack into a folder where its run would lose the author's files
  bool quiet = false;  // no warnings, notes or success line; refusals are still told
  bool color = false;  // colour the check's diagnostics
  std::optional<std::filesystem::path> stub;  // this stub instead of the one found
  std::filesystem::path command_folder;       // the folder of the running `scenario`
  // How the author's five text files are read; each is packed as code page 1252 text.
  author::EncodingChoice encoding = author::EncodingChoice::automatic;
};

// How the packing went: the exit status (compile_command.h's statuses), what to tell the author
// on standard error, and the pack written, when one was.
struct PackResult {
  int status = 0;
  std::string report;
  std::optional<std::filesystem::path> written;
};

// The places a stub for `target` is looked for, in order: beside the command, then in the
// folder an installation puts stubs in, relative to the command's folder.
std::vector<std::filesystem::path> stub_places(const std::filesystem::path& command_folder,
                                               PackTarget target);

// Makes the pack: checks the identity (status 64 when it cannot name files), compiles the route
// and train files exactly as `scenario compile` does, watched as `scenario check` watches it,
// and tells the check's warnings and notes (unless quiet). Refuses, unless allow_failures, a
// scenario that records a failure or stops at the error box (status 1 or 2, with the compile's
// diagnostics) or whose train file the pack skips whole (1). Reads the five files and the stub
// (74 when one cannot be read or the stub is not one) and converts each file saved in UTF-8 or
// UTF-16 to code page 1252 (a note W19 each; a file that cannot be converted is an error W19 at
// its place, status 1, even with allow_failures, and nothing is written). Refuses, unless force,
// a folder where a run of the pack would lose the author's files (73, naming them; see
// pack_folder.h). Then writes the pack whole, replacing an older file only once the new one is
// complete:
// "<line>_<number>.exe" for Windows, "<line>_<number>" with executable mode for Linux, in the
// working folder unless `out` says otherwise, and says so in one line (unless quiet). `out` is a
// folder for the pack when it ends in a separator, names a folder, or names nothing yet and has
// no extension ("dist", "new folder"); otherwise it is the pack's file ("dist/scenario.exe", an
// existing file). Missing folders are made.
PackResult pack_scenario(const PackRequest& request);

}  // namespace scenario::tool
