// The field reader on any bytes: each input byte after the first picks the next read (text,
// 32-bit, 16-bit or 8-bit number) until the file is used up or a read fault ends it, as both
// parses end on one.
#include <cstddef>
#include <cstdint>
#include <string>

#include "parse/field_reader.h"
#include "parse/read_fault.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte is the plan of reads, repeated; the rest is the file.
  const std::uint8_t plan = data[0];
  scenario::FieldReader reader(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
  try {
    for (unsigned step = 0; !reader.at_end(); ++step) {
      switch ((plan >> ((step % 4) * 2)) & 3) {
        case 0:
          reader.read_text();
          break;
        case 1:
          reader.read_i32();
          break;
        case 2:
          reader.read_i16();
          break;
        default:
          reader.read_u8();
          break;
      }
    }
  } catch (const scenario::ReadFault&) {
    // The one way a read is refused.
  }
  return 0;
}
