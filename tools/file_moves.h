#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "model/file_fault.h"

namespace scenario::tool {

// The whole content of `path`, or the reason it could not be read.
FileResult<std::string> read_whole_file(const std::filesystem::path& path);

// Moves `from` onto `to`, replacing an older `to`. When the two lie on different file systems,
// where a rename cannot work, the bytes are copied once, through the fixed write buffer, into a
// replacement of `to`, and the original is removed.
[[nodiscard]] FileResult<> move_file(const std::filesystem::path& from,
                                     const std::filesystem::path& to);

// Moves the files `names` (single-byte text) from `working` into `out`, in order, each by
// move_file, and adds each name moved to `moved`. A name that is not in `working` is a fault:
// whoever asked for it expected it to be written. Stops at the first fault; the files moved
// before it stay moved.
[[nodiscard]] FileResult<> move_outputs(const std::filesystem::path& working,
                                        const std::vector<std::string>& names,
                                        const std::filesystem::path& out,
                                        std::vector<std::string>& moved);

}  // namespace scenario::tool
