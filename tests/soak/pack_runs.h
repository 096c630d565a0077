#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "payload/scenario_payload.h"

namespace scenario::testing {

// Every file of a folder by name, with its bytes.
using FolderFiles = std::map<std::string, std::string>;
FolderFiles folder_files(const std::filesystem::path& folder);

std::string read_bytes(const std::filesystem::path& path);
void write_bytes(const std::filesystem::path& path, const std::string& bytes);

// Removes `folder` with everything in it and makes it again, empty.
void empty_folder(const std::filesystem::path& folder);

// One run of the pack and what it said besides its files: the error box's text and the lines
// for a console, in the order it said them, each ended by a line feed, as a console pack writes
// them on standard error.
struct PackRun {
  int status = -1;
  std::string said;
  std::string error_box;  // the box's text; empty when none was shown
  std::vector<std::string> notes;
};

// The pack's own run, in this process, of `payload` in `folder` (emptied first), as if the pack
// lay there.
PackRun run_pack_in(const std::filesystem::path& folder, const ScenarioPayload& payload);

// A program run as a child process in its own folder, with nothing on standard input.
struct ChildRun {
  int status = -1;     // its exit status, or 128 + the signal that ended it
  std::string output;  // standard output
  std::string errors;  // standard error
};

// Runs `program` with no arguments, its working folder its own, standard output and standard
// error caught in files of `logs` (which must lie outside the program's folder).
ChildRun run_child(const std::filesystem::path& program, const std::filesystem::path& logs);

// A command of `scenario` through the command's own entry point, in this process.
struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};
ToolRun run_scenario_command(const std::vector<std::string>& arguments);

}  // namespace scenario::testing
