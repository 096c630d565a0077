#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace scenario {

// A file the program could not write, with the system's reason.
struct FileFault {
  std::filesystem::path path;
  std::string reason;

  std::string describe() const;
};

// Path of the file `name` (single-byte text, as held in the scenario state) in `folder`.
std::filesystem::path path_in(const std::filesystem::path& folder, std::string_view name);

// Replaces `target` with exactly `bytes`. The new content goes to a temporary file in the same
// folder, is flushed to disk and then renamed over the target, so a crash or a full disk never
// leaves a truncated file in place of the previous good one. On failure the temporary file is
// removed, the target is untouched, and the fault is returned.
[[nodiscard]] std::optional<FileFault> replace_file(const std::filesystem::path& target,
                                                    std::string_view bytes);

}  // namespace scenario
