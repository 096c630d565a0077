#include "output_path.h"

#include <system_error>

namespace scenario::tool {

bool names_folder(const std::filesystem::path& given) {
  std::error_code error;
  return (!given.empty() && !given.has_filename()) || std::filesystem::is_directory(given, error);
}

std::filesystem::path output_file(const std::filesystem::path& given,
                                  const std::filesystem::path& own_name) {
  return names_folder(given) ? given / own_name : given;
}

std::filesystem::path output_file_or_new_folder(const std::filesystem::path& given,
                                                const std::filesystem::path& own_name) {
  std::error_code error;
  const bool new_folder =
      own_name.has_extension() && !given.has_extension() && !std::filesystem::exists(given, error);
  return new_folder ? given / own_name : output_file(given, own_name);
}

FileResult<> make_parent_folders(const std::filesystem::path& file) {
  const std::filesystem::path folder = file.parent_path();
  if (folder.empty()) return {};
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) return FileFault{file, "cannot make its folder: " + error.message()};
  return {};
}

}  // namespace scenario::tool
