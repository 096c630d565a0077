#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <variant>

#include "platform/file_system.h"

namespace scenario::tool {

// The whole content of `path`, or the reason it could not be read.
std::variant<std::string, FileFault> read_whole_file(const std::filesystem::path& path);

// Moves `from` onto `to`, replacing an older `to`. When the two lie on different file systems,
// where a rename cannot work, the bytes are copied and the original removed instead.
[[nodiscard]] std::optional<FileFault> move_file(const std::filesystem::path& from,
                                                 const std::filesystem::path& to);

}  // namespace scenario::tool
