#include "compiled_files.h"

#include <algorithm>
#include <fstream>
#include <system_error>
#include <vector>

#include "inspect/table_file.h"
#include "model/code_page_1252.h"
#include "platform/file_system.h"

namespace scenario::tool {

namespace {

constexpr std::string_view kProfileEnding = "_linea.dat";
constexpr std::string_view kTableEnding = ".sim";
constexpr std::string_view kCellsEnding = ".dat";

// A name the code page cannot hold is no compiled file's.
bool ends_with(const std::optional<std::string>& name, std::string_view ending) {
  return name && name->ends_with(ending);
}

// The file name as UTF-8 text.
std::string utf8_name(const std::filesystem::path& path) {
  const std::u8string name = path.filename().u8string();
  return std::string(name.begin(), name.end());
}

std::vector<std::filesystem::path> tables_in(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> tables;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.is_regular_file(error) && ends_with(file_name_text(entry.path()), kTableEnding)) {
      tables.push_back(entry.path());
    }
  }
  std::sort(tables.begin(), tables.end());
  return tables;
}

// The line name in slot 85 of the table at `path`, when it reads.
std::optional<std::string> line_named_in(const std::filesystem::path& path) {
  const LoadedFile loaded = load_compiled(path);
  if (!loaded.file) return std::nullopt;
  const auto table = inspect::read_table_file(loaded.file->bytes, loaded.file->shown);
  if (!table) return std::nullopt;
  return table.value().slots[kLineSlot].name;
}

}  // namespace

std::optional<FileRole> role_of(const std::filesystem::path& file) {
  // The endings are ASCII: the role shows whatever characters the rest of the name holds.
  const std::string name = utf8_name(file);
  if (name.ends_with(kProfileEnding)) return FileRole::profile;
  if (name.ends_with(kTableEnding)) return FileRole::table;
  if (name.ends_with(kCellsEnding)) return FileRole::cells;
  return std::nullopt;
}

std::optional<std::string> file_name_text(const std::filesystem::path& path) {
  return utf8_to_code_page_1252(utf8_name(path));
}

LoadedFile load_compiled(const std::filesystem::path& path) {
  LoadedFile loaded;
  const std::string shown = path_text(path);
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) {
    loaded.unreadable = true;
    loaded.failure = shown + ": is a folder";
    return loaded;
  }
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) {
    loaded.unreadable = true;
    loaded.failure = shown + ": " + error.message();
    return loaded;
  }
  if (size > kLargestCompiledFile) {
    loaded.failure = shown + ": " + std::to_string(size) +
                     " bytes, more than any compiled file holds (at most " +
                     std::to_string(kLargestCompiledFile) + ")";
    return loaded;
  }
  std::ifstream in(path, std::ios::binary);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (!in || !in.read(bytes.data(), static_cast<std::streamsize>(size)) ||
      in.peek() != std::ifstream::traits_type::eof()) {
    // A file that changes while it is read is not what its size said.
    loaded.unreadable = true;
    loaded.failure = shown + ": cannot be read whole";
    return loaded;
  }
  loaded.file = inspect::CompiledFile{shown, file_name_text(path), std::move(bytes)};
  return loaded;
}

SetPaths set_in_folder(const std::filesystem::path& folder, const std::string& line,
                       const std::string& number) {
  const std::string stem = line + "_" + number;
  return {path_in(folder, stem + std::string(kTableEnding)),
          path_in(folder, stem + std::string(kCellsEnding)),
          path_in(folder, line + std::string(kProfileEnding))};
}

std::optional<SetPaths> only_set_in(const std::filesystem::path& folder, std::string& why) {
  const std::vector<std::filesystem::path> tables = tables_in(folder);
  if (tables.size() != 1) {
    why = path_text(folder) +
          (tables.empty() ? ": holds no .sim file" : ": holds more than one .sim file") +
          "; name the set with --line and --number";
    return std::nullopt;
  }
  SetPaths set;
  set.table = tables.front();
  set.cells = set.table;
  set.cells.replace_extension(kCellsEnding);
  if (const auto line = line_named_in(set.table)) {
    set.profile = path_in(folder, *line + std::string(kProfileEnding));
  }
  return set;
}

std::optional<std::filesystem::path> table_beside(const std::filesystem::path& file,
                                                  FileRole role) {
  std::error_code error;
  if (role == FileRole::cells) {
    std::filesystem::path table = file;
    table.replace_extension(kTableEnding);
    if (std::filesystem::exists(table, error)) return table;
    return std::nullopt;
  }
  const std::optional<std::string> name = file_name_text(file);
  if (role != FileRole::profile || !ends_with(name, kProfileEnding)) return std::nullopt;
  const std::string line = name->substr(0, name->size() - kProfileEnding.size());
  const std::filesystem::path folder = file.parent_path().empty() ? "." : file.parent_path();
  for (const std::filesystem::path& table : tables_in(folder)) {
    if (file_name_text(table)->rfind(line + "_", 0) != 0) continue;
    if (line_named_in(table) == line) return table;
  }
  return std::nullopt;
}

}  // namespace scenario::tool
