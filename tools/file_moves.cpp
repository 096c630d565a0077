#include "file_moves.h"

#include <cerrno>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

namespace scenario::tool {

std::variant<std::string, FileFault> read_whole_file(const std::filesystem::path& path) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return FileFault{path, "is a folder"};
  errno = 0;
  std::ifstream in(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.good() && !in.eof()) {
    const int reason = errno != 0 ? errno : EIO;
    return FileFault{path, std::generic_category().message(reason)};
  }
  return bytes;
}

std::variant<std::string, FileFault> read_scenario_text(const std::filesystem::path& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (!error && size > kLargestScenarioText) {
    return FileFault{path, "is " + std::to_string(size) +
                               " bytes long, larger than a scenario text file may be (64 MiB)"};
  }
  return read_whole_file(path);
}

std::optional<FileFault> move_file(const std::filesystem::path& from,
                                   const std::filesystem::path& to) {
  std::error_code error;
  std::filesystem::rename(from, to, error);
  if (!error) return std::nullopt;
  if (error != std::errc::cross_device_link) return FileFault{to, error.message()};

  auto bytes = read_whole_file(from);
  if (auto* fault = std::get_if<FileFault>(&bytes)) return *fault;
  if (auto fault = replace_file(to, std::get<std::string>(bytes))) return fault;
  std::filesystem::remove(from, error);
  if (error) return FileFault{from, error.message()};
  return std::nullopt;
}

}  // namespace scenario::tool
