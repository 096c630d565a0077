#include "model/file_fault.h"

namespace scenario {

std::string path_text(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::string FileFault::describe() const { return path_text(path) + ": " + reason; }

}  // namespace scenario
