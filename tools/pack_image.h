#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "pe_image.h"

namespace scenario::tool {

// The executable of a Linux pack: the stub's ELF image unchanged, then the payload block, then
// the trailer naming it (platform/pack_trailer.h). Refuses a stub that is not an ELF file or
// that already ends in a trailer.
std::variant<std::string, ImageRefusal> linux_pack_image(std::string_view stub,
                                                         std::string_view payload);

// The executable of a Windows pack: the stub's PE image with a resource section holding the
// payload block (RCDATA, platform/carried_payload.h) and the version resource of `pack_name`
// ("<line>_<number>" as code page 1252 text; version_resource.h).
std::variant<std::string, ImageRefusal> windows_pack_image(std::string_view stub,
                                                           std::string_view payload,
                                                           std::string_view pack_name);

}  // namespace scenario::tool
