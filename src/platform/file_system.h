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

// Replaces `target` with exactly the bytes `fill` writes. They go through one fixed buffer to a
// temporary file in the same folder, which is flushed to disk and then renamed over the target,
// so a crash or a full disk never leaves a truncated file in place of the previous good one.
// When writing fails, or `fill` calls fail(), the temporary file is removed, the target is
// untouched, and the fault is returned.
[[nodiscard]] FileResult<> replace_file(const std::filesystem::path& target,
                                        const FileSink::Fill& fill);

// The sink of the run: replaces files in one folder with replace_file.
class FolderSink final : public FileSink {
 public:
  explicit FolderSink(std::filesystem::path folder) : folder_(std::move(folder)) {}

  FileResult<> replace(std::string_view name, const Fill& fill) override {
    return replace_file(path_in(folder_, name), fill);
  }

  const std::filesystem::path& folder() const { return folder_; }

 private:
  std::filesystem::path folder_;
};

}  // namespace scenario
