#pragma once

#include <cstdint>
#include <string>

#include "model/file_fault.h"

namespace scenario {

// The resource that holds a Windows pack's payload block: type RCDATA (10), this number,
// language neutral. The packer writes it; the pack reads it back through the system's loader.
inline constexpr std::uint16_t kPayloadResourceType = 10;
inline constexpr std::uint16_t kPayloadResourceId = 1;

// The payload block the running pack carries in its own executable file, as bytes, not yet
// checked: on Linux the block its trailer names (pack_trailer.h), on Windows its RCDATA
// resource. Never reads outside the file. The fault names the executable and says what is
// missing or could not be read.
FileResult<std::string> read_carried_payload();

}  // namespace scenario
