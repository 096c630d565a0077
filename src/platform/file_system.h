#pragma once

#include <cstddef>
#include <filesystem>
#include <string_view>

#include "model/file_fault.h"
#include "model/file_sink.h"

namespace scenario {

// Path of the file `name` (single-byte text, as held in the scenario state) in `folder`.
std::filesystem::path path_in(const std::filesystem::path& folder, std::string_view name);

// Every file is written through one buffer of this size, filled and written in turn.
inline constexpr std::size_t kWriteBufferBytes = std::size_t{256} * 1024;

// Whether a replaced file must reach the disk before it takes the old one's place. Only a
// scratch file, read back and removed by the same process in a private folder, can do without.
enum class Flush { to_disk, not_needed };

// Replaces `target` with exactly the bytes `fill` writes. They go through one fixed buffer to a
// temporary file in the same folder, which is flushed to disk (unless `flush` says it need not
// be) and then renamed over the target, so a crash or a full disk never leaves a truncated file
// in place of the previous good one.
// When writing fails, or `fill` calls fail(), the temporary file is removed, the target is
// untouched, and the fault is returned.
[[nodiscard]] FileResult<> replace_file(const std::filesystem::path& target,
                                        const FileSink::Fill& fill, Flush flush = Flush::to_disk);

// Removes the temporary files of `target` that replace_file left behind when its process was
// killed before the rename. Only where no other process is replacing `target` at the same time,
// as in a folder the run holds. Best effort: what cannot be listed or removed stays, harmless.
void remove_abandoned_temporaries(const std::filesystem::path& target);

}  // namespace scenario
