#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace scenario::tool {

// One resource of a Windows executable, named by numbers only.
struct Resource {
  std::uint16_t type = 0;
  std::uint16_t id = 0;
  std::uint16_t language = 0;
  std::string data;
};

// The bytes of a resource section (".rsrc") holding `resources`, for a section that the image
// maps at `section_rva`: the three-level directory the loader walks (type, then id, then
// language, each level's entries in increasing order), one data entry per resource giving the
// image address and size of its data, then the data, each piece on an 8-byte boundary.
// Resources with the same type, id and language keep only the first. Nothing when the section
// would not fit the 32-bit addresses of an image.
std::optional<std::string> resource_section(std::vector<Resource> resources,
                                            std::uint32_t section_rva);

}  // namespace scenario::tool
