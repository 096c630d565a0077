#include "resource_section.h"

#include <gtest/gtest.h>

namespace scenario::tool {
namespace {

std::uint32_t u32_at(std::string_view bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    v |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[at + i])) << (8 * i);
  }
  return v;
}

std::uint32_t entries_at(std::string_view bytes, std::size_t table) {
  return u32_at(bytes, table + 12) >> 16;  // named entries in the low half, numbered in the high
}

TEST(ResourceSection, LaysOutTheThreeLevelsThenTheDataEntriesThenTheData) {
  // Given out of order: the directory lists them by type, RCDATA (10) before VERSION (16).
  const auto built =
      resource_section({Resource{16, 1, 0x0410, "VVVV"}, Resource{10, 1, 0, "abc"}}, 0x4000);
  ASSERT_TRUE(built.has_value());
  const std::string& s = *built;
  // Root: 16 + 2 x 8 bytes; two type tables and two id tables of 24 bytes each from 32; the two
  // data entries from 128; the data from 160, each piece on an 8-byte boundary.
  ASSERT_EQ(s.size(), 172u);
  EXPECT_EQ(entries_at(s, 0), 2u);
  EXPECT_EQ(u32_at(s, 16), 10u);
  EXPECT_EQ(u32_at(s, 20), 0x80000000u | 32);
  EXPECT_EQ(u32_at(s, 24), 16u);
  EXPECT_EQ(u32_at(s, 28), 0x80000000u | 56);
  EXPECT_EQ(entries_at(s, 32), 1u);
  EXPECT_EQ(u32_at(s, 48), 1u);  // id 1 of RCDATA
  EXPECT_EQ(u32_at(s, 52), 0x80000000u | 80);
  EXPECT_EQ(u32_at(s, 72), 1u);  // id 1 of VERSION
  EXPECT_EQ(u32_at(s, 76), 0x80000000u | 104);
  EXPECT_EQ(entries_at(s, 80), 1u);
  EXPECT_EQ(u32_at(s, 96), 0u);     // language neutral
  EXPECT_EQ(u32_at(s, 100), 128u);  // a leaf: the data entry, no subdirectory bit
  EXPECT_EQ(u32_at(s, 120), 0x0410u);
  EXPECT_EQ(u32_at(s, 124), 144u);
  EXPECT_EQ(u32_at(s, 128), 0x4000u + 160);  // an image address, not a place in the section
  EXPECT_EQ(u32_at(s, 132), 3u);
  EXPECT_EQ(u32_at(s, 144), 0x4000u + 168);
  EXPECT_EQ(u32_at(s, 148), 4u);
  EXPECT_EQ(s.substr(160, 3), "abc");
  EXPECT_EQ(s.substr(163, 5), std::string(5, '\0'));
  EXPECT_EQ(s.substr(168), "VVVV");
}

TEST(ResourceSection, KeepsTheFirstOfTwoResourcesWithOneName) {
  const auto once = resource_section({Resource{10, 1, 0, "abc"}}, 0x1000);
  const auto twice =
      resource_section({Resource{10, 1, 0, "abc"}, Resource{10, 1, 0, "zzz"}}, 0x1000);
  EXPECT_EQ(once, twice);
}

TEST(ResourceSection, RefusesASectionBeyondTheImagesAddresses) {
  EXPECT_FALSE(resource_section({Resource{10, 1, 0, "abc"}}, 0xFFFFFFF0u).has_value());
}

}  // namespace
}  // namespace scenario::tool
