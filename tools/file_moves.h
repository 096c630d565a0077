#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>

#include "platform/file_system.h"

namespace scenario::tool {

// The whole content of `path`, or the reason it could not be read.
std::variant<std::string, FileFault> read_whole_file(const std::filesystem::path& path);

// The largest scenario text file the command takes: a real scenario is a few KiB, the longest
// line it can describe with every feature far below a few MiB, and a larger file is a mistake
// that would only cost time and memory.
inline constexpr std::uintmax_t kLargestScenarioText = 64u << 20;

// The whole content of an author's scenario text file, or the reason it could not be read; a
// file larger than kLargestScenarioText is refused unread.
std::variant<std::string, FileFault> read_scenario_text(const std::filesystem::path& path);

// Moves `from` onto `to`, replacing an older `to`. When the two lie on different file systems,
// where a rename cannot work, the bytes are copied and the original removed instead.
[[nodiscard]] std::optional<FileFault> move_file(const std::filesystem::path& from,
                                                 const std::filesystem::path& to);

}  // namespace scenario::tool
