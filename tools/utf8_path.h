#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace scenario::tool {

// A path given as UTF-8 text, the command line's encoding on every system (the Windows command
// converts its wide arguments to UTF-8 before parsing them).
inline std::filesystem::path path_from_utf8(std::string_view text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

}  // namespace scenario::tool
