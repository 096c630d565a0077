#pragma once

#include <cstdint>
#include <string_view>

namespace scenario {

// CRC-32 of `bytes` as zip and PNG compute it (reflected polynomial 0xEDB88320, initial value
// and final mask 0xFFFFFFFF). Any change confined to 32 consecutive bits, one altered byte
// included, always changes it.
std::uint32_t crc32(std::string_view bytes);

}  // namespace scenario
