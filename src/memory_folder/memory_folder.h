#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "model/text_folder.h"

namespace scenario {

// The operations of a text folder that can be made to fail. Reading is two steps: opening the
// file, then reading it.
enum class FolderStep : std::uint8_t { look_up, open, read, remove, replace };

// A text folder kept in memory: a map of names to bytes. Any step on a name can be made to fail,
// always or a number of times, so that a test sees what the compile makes of a folder that
// refuses it. A fault names the file by its name alone, as UTF-8.
class MemoryFolder final : public TextFolder {
 public:
  FileResult<> replace(std::string_view name, const Fill& fill) override;
  FileResult<bool> exists(std::string_view name) override;
  FileResult<std::string> read(std::string_view name) override;
  FileResult<> remove(std::string_view name) override;

  // Puts the file `name` with exactly `bytes`, replacing any older one.
  void put(std::string_view name, std::string bytes);
  // The bytes of the file `name`, or nothing when there is no such file.
  std::optional<std::string> file(std::string_view name) const;
  const std::map<std::string, std::string, std::less<>>& files() const { return files_; }

  // Makes `step` on `name` fail with `reason`: the next `times` times, or always without it.
  // A refused step changes nothing in the folder.
  void refuse(FolderStep step, std::string_view name, std::string reason,
              std::optional<int> times = std::nullopt);

 private:
  struct Refusal {
    std::string reason;
    std::optional<int> times_left;
  };

  // The refusal of `step` on `name` due now, counting it as used.
  std::optional<FileFault> refused(FolderStep step, std::string_view name);

  std::map<std::string, std::string, std::less<>> files_;
  std::map<std::pair<FolderStep, std::string>, Refusal> refusals_;
};

}  // namespace scenario
