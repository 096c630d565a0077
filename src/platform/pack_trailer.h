#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace scenario {

// How a Linux pack carries its payload block: the block follows the ELF image in the same file,
// and the file ends with a trailer that says where the block is. Little-endian:
//
//   offset from the trailer  size  field
//   0                        8     offset of the block from the start of the file
//   8                        8     size of the block in bytes
//   16                       8     magic "SCNTRAIL"
//
// The block ends where the trailer begins, so offset + size + kTrailerSize is the file's size.
// The program loader reads only the ELF image and never sees what follows it.
inline constexpr std::string_view kTrailerMagic = "SCNTRAIL";
inline constexpr std::size_t kTrailerSize = 24;

// Where a block lies in a file.
struct BlockSpan {
  std::uint64_t offset = 0;
  std::uint64_t size = 0;
};

// Why a file's end names no block.
enum class TrailerFault {
  absent,        // the file does not end in a trailer: it carries nothing
  outside_file,  // the trailer names bytes that are not between the image and itself
};

// One line for a message, e.g. "it carries no scenario".
std::string_view trailer_fault_meaning(TrailerFault fault);

// The trailer for a block of `size` bytes placed at `offset`.
std::string pack_trailer(std::uint64_t offset, std::uint64_t size);

// The block a file of `file_size` bytes names in its last bytes `tail` (kTrailerSize of them, or
// all of a shorter file). The block must lie wholly inside the file, after a non-empty image and
// right before the trailer.
std::variant<BlockSpan, TrailerFault> read_pack_trailer(std::string_view tail,
                                                        std::uint64_t file_size);

}  // namespace scenario
