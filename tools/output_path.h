#pragma once

#include <filesystem>

#include "model/file_fault.h"

namespace scenario::tool {

// Where a command writes a file the author named on the command line (`report -o`, `--map-svg`,
// `pack -o`...). A path that ends in a folder separator, or names a folder that exists, is a
// folder, and the file takes its own name in it; any other path is the file itself.
bool names_folder(const std::filesystem::path& given);
std::filesystem::path output_file(const std::filesystem::path& given,
                                  const std::filesystem::path& own_name);

// The same for a file whose own name has an extension (a Windows pack's ".exe"): there a path
// that names nothing yet and has no extension is a folder too ("dist", "new folder"), since the
// file would be of no use without its extension. A Linux pack's own name has none, so there only
// the shape or an existing folder makes a folder.
std::filesystem::path output_file_or_new_folder(const std::filesystem::path& given,
                                                const std::filesystem::path& own_name);

// Creates the folders above `file` that are missing, as `mkdir -p` does. The fault names the
// file that could not be placed and the system's reason.
FileResult<> make_parent_folders(const std::filesystem::path& file);

}  // namespace scenario::tool
