// The pack stub's payload reader on any bytes, as a damaged or hostile pack hands them over:
// the block is decoded with every size checked, and either a scenario or a named damage comes
// back, never a read outside the bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "payload/payload_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static_cast<void>(
      scenario::decode_payload(std::string_view(reinterpret_cast<const char*>(data), size)));
  return 0;
}
