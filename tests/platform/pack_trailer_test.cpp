#include "platform/pack_trailer.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>

namespace scenario {
namespace {

std::optional<TrailerFault> fault_of(std::string_view tail, std::uint64_t file_size) {
  const auto read = read_pack_trailer(tail, file_size);
  if (const auto* fault = std::get_if<TrailerFault>(&read)) return *fault;
  return std::nullopt;
}

TEST(PackTrailer, NamesTheBlockBetweenTheImageAndItself) {
  // An image of 1000 bytes, a block of 51, the 24-byte trailer: 1075 bytes in all.
  const std::string trailer = pack_trailer(1000, 51);
  ASSERT_EQ(trailer.size(), kTrailerSize);
  EXPECT_EQ(trailer.substr(0, 8), std::string("\xE8\x03\0\0\0\0\0\0", 8));
  EXPECT_EQ(trailer.substr(8, 8), std::string("\x33\0\0\0\0\0\0\0", 8));
  EXPECT_EQ(trailer.substr(16), "SCNTRAIL");
  const auto read = read_pack_trailer(trailer, 1075);
  ASSERT_TRUE(std::holds_alternative<BlockSpan>(read));
  EXPECT_EQ(std::get<BlockSpan>(read).offset, 1000u);
  EXPECT_EQ(std::get<BlockSpan>(read).size, 51u);
}

TEST(PackTrailer, RefusesATrailerThatNamesAnythingElse) {
  constexpr std::uint64_t kHuge = std::numeric_limits<std::uint64_t>::max();
  std::string no_magic = pack_trailer(1000, 51);
  no_magic[23] = 'X';
  const struct {
    const char* what;
    std::string tail;
    std::uint64_t file_size;
    TrailerFault fault;
  } cases[] = {
      {"a file shorter than a trailer", "SCNTRAIL", 8, TrailerFault::absent},
      {"no magic", no_magic, 1075, TrailerFault::absent},
      {"a block one byte longer than the room", pack_trailer(1000, 52), 1075,
       TrailerFault::outside_file},
      {"a block one byte shorter than the room", pack_trailer(1000, 50), 1075,
       TrailerFault::outside_file},
      {"a file cut short after packing", pack_trailer(1000, 51), 1074, TrailerFault::outside_file},
      {"no image before the block", pack_trailer(0, 1051), 1075, TrailerFault::outside_file},
      {"a block past the trailer", pack_trailer(2000, 0), 1075, TrailerFault::outside_file},
      {"sizes that wrap when added", pack_trailer(kHuge - 10, 62), 1075,
       TrailerFault::outside_file},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(fault_of(c.tail, c.file_size), c.fault);
  }
}

}  // namespace
}  // namespace scenario
