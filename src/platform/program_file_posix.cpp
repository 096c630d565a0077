#include <system_error>

#include "platform/program_file.h"

namespace scenario {

std::filesystem::path running_program_file() {
  std::error_code error;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : self;
}

}  // namespace scenario
