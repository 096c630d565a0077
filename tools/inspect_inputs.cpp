#include "inspect_inputs.h"

#include <system_error>

#include "model/file_fault.h"

namespace scenario::tool {

std::optional<SetPaths> set_of_folder(const std::filesystem::path& folder,
                                      const std::optional<std::string>& line_name,
                                      const std::optional<std::string>& train_number,
                                      std::string& why) {
  if (line_name.has_value() != train_number.has_value()) {
    why = "--line and --number name a set together; give both or neither";
    return std::nullopt;
  }
  if (line_name) return set_in_folder(folder, *line_name, *train_number);
  return only_set_in(folder, why);
}

std::optional<std::vector<InputFile>> expand_inputs(
    const std::vector<std::filesystem::path>& inputs, const std::optional<std::string>& line_name,
    const std::optional<std::string>& train_number, std::string& why) {
  std::vector<InputFile> files;
  for (const std::filesystem::path& input : inputs) {
    std::error_code error;
    if (std::filesystem::is_directory(input, error)) {
      const auto set = set_of_folder(input, line_name, train_number, why);
      if (!set) return std::nullopt;
      files.push_back({set->table, FileRole::table, std::nullopt});
      files.push_back({set->cells, FileRole::cells, set->table});
      if (!set->profile.empty() && std::filesystem::exists(set->profile, error)) {
        files.push_back({set->profile, FileRole::profile, set->table});
      }
      continue;
    }
    const auto role = role_of(input);
    if (!role) {
      why =
          path_text(input) + ": not the name of a compiled file (L_linea.dat, L_T.sim or L_T.dat)";
      return std::nullopt;
    }
    files.push_back({input, *role, std::nullopt});
  }
  return files;
}

std::optional<std::filesystem::path> table_for(const InputFile& file) {
  if (file.role == FileRole::table) return std::nullopt;
  if (file.table) return file.table;
  return table_beside(file.path, file.role);
}

}  // namespace scenario::tool
