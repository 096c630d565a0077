#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace scenario::tool {

// The language of a pack's version resource: Italian (Italy).
inline constexpr std::uint16_t kVersionLanguage = 0x0410;

// The data of a pack's version resource (RT_VERSION 1), as the system's version functions read
// it: version 1.0.0.0 ("1.00" as text) for file and product, FILEFLAGSMASK 0x3F, no flags,
// FILEOS 0x40004 (Windows NT), FILETYPE 0x1 (an application), one string table for Italian
// (Italy) in code page 1252 ("041004E4") holding FileVersion, InternalName `name`,
// OriginalFilename `name`.exe and ProductVersion, and the translation 0x0410, 1252. `name` is
// code page 1252 text, written as UTF-16. Laid out as resource compilers lay it out: each block
// a 16-bit length, value length and type, its key in UTF-16 with a terminator, its value and
// its children, each of these starting on a 4-byte boundary; a block's length leaves out the
// padding after its last byte.
std::string version_resource(std::string_view name);

}  // namespace scenario::tool
