#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "inspect/set_checks.h"

namespace scenario::tool {

// What a compiled file holds, as its name says: "L_linea.dat" the line profile, "L_T.sim" the
// scenario table, any other "L_T.dat" the cells.
enum class FileRole { table, cells, profile };
std::optional<FileRole> role_of(const std::filesystem::path& file);

// No compiled file is larger: the profile of the longest line the compiler takes (1000000 m)
// has about 20 MB. A larger file is refused before it is read into memory.
inline constexpr std::uintmax_t kLargestCompiledFile = std::uintmax_t{32} << 20;

// A file read whole, or why it was not: it could not be read (`unreadable`), or it is larger
// than any compiled file.
struct LoadedFile {
  std::optional<inspect::CompiledFile> file;
  std::string failure;
  bool unreadable = false;
};
LoadedFile load_compiled(const std::filesystem::path& path);

// The file name of `path` as the single-byte text of code page 1252 the pack builds file names
// from, whatever the system holds names as; nothing when the name has a character the code page
// lacks, so that no identity can name that file.
std::optional<std::string> file_name_text(const std::filesystem::path& path);

// Where the three files of one set are, or would be.
struct SetPaths {
  std::filesystem::path table;
  std::filesystem::path cells;
  std::filesystem::path profile;  // empty when it cannot be known (see only_set_in)
};

// The set of identity `line`, `number` in `folder`: L_T.sim, L_T.dat and L_linea.dat.
SetPaths set_in_folder(const std::filesystem::path& folder, const std::string& line,
                       const std::string& number);

// The set of a folder given without an identity: the one ".sim" file in it, the ".dat" of the
// same name, and the profile of the line named in slot 85 of that table. Nothing when the folder
// holds no ".sim" or more than one; `why` then says which.
std::optional<SetPaths> only_set_in(const std::filesystem::path& folder, std::string& why);

// The scenario table that gives a cells file or a profile its route length: "L_T.sim" beside
// "L_T.dat"; beside "L_linea.dat", the first "L_*.sim" whose slot 85 names the line L. Nothing
// when there is none.
std::optional<std::filesystem::path> table_beside(const std::filesystem::path& file, FileRole role);

}  // namespace scenario::tool
