#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "compiled_files.h"

namespace scenario::tool {

// One compiled file an inspecting command works on, with the role its name gives it and, for
// the cells and the profile of a folder's set, that set's table.
struct InputFile {
  std::filesystem::path path;
  FileRole role = FileRole::table;
  std::optional<std::filesystem::path> table;
};

// The table that gives `file` its route length: its set's, else the one beside it.
std::optional<std::filesystem::path> table_for(const InputFile& file);

// The files a list of command-line inputs stands for: a file as it is, a folder as its set
// (table, cells, then the profile when there is one), found by the identity when both halves of
// it are given, else as the folder's only set. Nothing, with the one-line reason in `why`, when
// an input names no compiled file or a folder names no set.
std::optional<std::vector<InputFile>> expand_inputs(
    const std::vector<std::filesystem::path>& inputs, const std::optional<std::string>& line_name,
    const std::optional<std::string>& train_number, std::string& why);

// The set of one folder, by the identity or as its only set; `why` says why there is none.
std::optional<SetPaths> set_of_folder(const std::filesystem::path& folder,
                                      const std::optional<std::string>& line_name,
                                      const std::optional<std::string>& train_number,
                                      std::string& why);

}  // namespace scenario::tool
