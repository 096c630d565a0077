#include "platform/pack_trailer.h"

namespace scenario {

namespace {

void put_u64(std::string& bytes, std::uint64_t v) {
  for (int i = 0; i < 8; ++i) {
    bytes.push_back(static_cast<char>(static_cast<std::uint8_t>(v >> (8 * i))));
  }
}

std::uint64_t get_u64(std::string_view bytes) {
  std::uint64_t v = 0;
  for (int i = 7; i >= 0; --i) {
    v = (v << 8) | static_cast<std::uint8_t>(bytes[static_cast<std::size_t>(i)]);
  }
  return v;
}

}  // namespace

std::string_view trailer_fault_meaning(TrailerFault fault) {
  switch (fault) {
    case TrailerFault::absent:
      return "it carries no scenario (or the file was cut short)";
    case TrailerFault::outside_file:
      return "the scenario it carries is cut short";
  }
  return "it carries no usable scenario";
}

std::string pack_trailer(std::uint64_t offset, std::uint64_t size) {
  std::string bytes;
  bytes.reserve(kTrailerSize);
  put_u64(bytes, offset);
  put_u64(bytes, size);
  bytes.append(kTrailerMagic);
  return bytes;
}

std::variant<BlockSpan, TrailerFault> read_pack_trailer(std::string_view tail,
                                                        std::uint64_t file_size) {
  if (tail.size() != kTrailerSize || file_size < kTrailerSize) return TrailerFault::absent;
  if (tail.substr(16) != kTrailerMagic) return TrailerFault::absent;
  const BlockSpan span{get_u64(tail.substr(0, 8)), get_u64(tail.substr(8, 8))};
  // Compared without adding, so that no pair of 64-bit values can wrap past the check.
  const std::uint64_t before_trailer = file_size - kTrailerSize;
  if (span.offset == 0 || span.offset > before_trailer ||
      span.size != before_trailer - span.offset) {
    return TrailerFault::outside_file;
  }
  return span;
}

}  // namespace scenario
