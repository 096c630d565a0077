#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "model/file_fault.h"

namespace scenario {

// Path of the file `name` (single-byte text, as held in the scenario state) in `folder`.
std::filesystem::path path_in(const std::filesystem::path& folder, std::string_view name);

// Replaces `target` with exactly `bytes`. The new content goes to a temporary file in the same
// folder, is flushed to disk and then renamed over the target, so a crash or a full disk never
// leaves a truncated file in place of the previous good one. On failure the temporary file is
// removed, the target is untouched, and the fault is returned.
[[nodiscard]] std::optional<FileFault> replace_file(const std::filesystem::path& target,
                                                    std::string_view bytes);

}  // namespace scenario
