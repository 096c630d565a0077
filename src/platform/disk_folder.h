#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>

#include "model/text_folder.h"
#include "platform/file_system.h"

namespace scenario {

// Whether a folder clears the temporary files killed runs left of each file before replacing it.
enum class Abandoned { keep, remove };

// The text folder of the run: the files of one folder on disk, each replaced with replace_file.
class DiskFolder final : public TextFolder {
 public:
  explicit DiskFolder(std::filesystem::path folder, Flush flush = Flush::to_disk,
                      Abandoned abandoned = Abandoned::keep)
      : folder_(std::move(folder)), flush_(flush), abandoned_(abandoned) {}

  FileResult<> replace(std::string_view name, const Fill& fill) override;
  FileResult<bool> exists(std::string_view name) override;
  FileResult<std::string> read(std::string_view name) override;
  FileResult<> remove(std::string_view name) override;

  const std::filesystem::path& folder() const { return folder_; }

 private:
  std::filesystem::path folder_;
  Flush flush_;
  Abandoned abandoned_;
};

}  // namespace scenario
