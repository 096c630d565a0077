#include "pe_image.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

namespace scenario::tool {
namespace {

// Offsets of a small 64-bit image built by hand: the PE header at 0x40, the optional header at
// 0x58 (240 bytes with 16 data directories), the section table at 0x148.
constexpr std::size_t kOptional = 0x58;
constexpr std::size_t kTable = 0x148;
constexpr std::size_t kResourceEntry = kOptional + 112 + 8 * 2;
constexpr std::size_t kCertificateEntry = kOptional + 112 + 8 * 4;

std::uint32_t u32_at(std::string_view bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    v |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[at + i])) << (8 * i);
  }
  return v;
}

std::uint32_t u16_at(std::string_view bytes, std::size_t at) { return u32_at(bytes, at) & 0xFFFF; }

void set(std::string& bytes, std::size_t at, std::uint32_t v, int width = 4) {
  for (int i = 0; i < width; ++i) bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

void section(std::string& image, int k, const char* name, std::uint32_t virtual_size,
             std::uint32_t address, std::uint32_t raw_size, std::uint32_t raw_at) {
  const std::size_t header = kTable + 40 * static_cast<std::size_t>(k);
  image.replace(header, 8, std::string(name).append(8 - std::string(name).size(), '\0'));
  set(image, header + 8, virtual_size);
  set(image, header + 12, address);
  set(image, header + 16, raw_size);
  set(image, header + 20, raw_at);
}

// Two sections: .text (0x100 bytes at 0x1000, stored at 0x400) and .data (0x1800 bytes in
// memory at 0x2000, 0x200 stored at 0x600); the file ends at 0x800.
std::string small_image() {
  std::string image(0x800, '\0');
  image.replace(0, 2, "MZ");
  set(image, 0x3C, 0x40);
  image.replace(0x40, 4, std::string("PE\0\0", 4));
  set(image, 0x44, 0x8664, 2);       // machine
  set(image, 0x46, 2, 2);            // sections
  set(image, 0x54, 240, 2);          // size of the optional header
  set(image, kOptional, 0x20B, 2);   // PE32+
  set(image, kOptional + 8, 0x200);  // initialised data
  set(image, kOptional + 32, 0x1000);
  set(image, kOptional + 36, 0x200);
  set(image, kOptional + 56, 0x3000);  // size of image
  set(image, kOptional + 60, 0x400);   // size of headers
  set(image, kOptional + 108, 16);     // data directories
  section(image, 0, ".text", 0x100, 0x1000, 0x200, 0x400);
  section(image, 1, ".data", 0x1800, 0x2000, 0x200, 0x600);
  return image;
}

PeLayout layout_of(std::string_view image) {
  auto layout = read_pe_layout(image);
  if (auto* refused = std::get_if<ImageRefusal>(&layout)) {
    ADD_FAILURE() << refused->reason;
    return {};
  }
  return std::get<PeLayout>(layout);
}

TEST(PeImage, PlacesTheNewSectionAfterEverySectionInMemoryAndOnDisk) {
  const PeLayout layout = layout_of(small_image());
  EXPECT_TRUE(layout.pe32_plus);
  EXPECT_EQ(layout.new_section_header, kTable + 2 * 40);
  // .data ends at 0x3800 in memory; the next 0x1000 boundary is 0x4000.
  EXPECT_EQ(layout.new_section_rva, 0x4000u);
  EXPECT_EQ(layout.new_section_raw, 0x800u);

  // Bytes after the last section (a symbol table, say) are kept; the section goes after them.
  std::string with_tail = small_image();
  with_tail.append(0x10, 'S');
  EXPECT_EQ(layout_of(with_tail).new_section_raw, 0xA00u);
}

TEST(PeImage, AddsTheSectionAndNamesItTheResourceDirectory) {
  const std::string image = small_image();
  const std::string section(0x30, 'R');
  const auto added = with_resource_section(image, layout_of(image), section);
  ASSERT_TRUE(std::holds_alternative<std::string>(added));
  const std::string& out = std::get<std::string>(added);

  ASSERT_EQ(out.size(), 0xA00u);  // the data padded to the 0x200 file alignment
  // The headers before the file header's section count and every stored section stay as they
  // were; the changed header fields are checked one by one below.
  EXPECT_EQ(out.substr(0, 0x46), image.substr(0, 0x46));
  EXPECT_EQ(out.substr(0x1C0, 0x800 - 0x1C0), image.substr(0x1C0, 0x800 - 0x1C0));
  EXPECT_EQ(out.substr(0x800, 0x30), section);
  EXPECT_EQ(out.substr(0x830), std::string(0x1D0, '\0'));

  const std::size_t header = kTable + 2 * 40;
  EXPECT_EQ(out.substr(header, 8), std::string(".rsrc\0\0\0", 8));
  EXPECT_EQ(u32_at(out, header + 8), 0x30u);         // virtual size
  EXPECT_EQ(u32_at(out, header + 12), 0x4000u);      // address
  EXPECT_EQ(u32_at(out, header + 16), 0x200u);       // stored size
  EXPECT_EQ(u32_at(out, header + 20), 0x800u);       // stored at
  EXPECT_EQ(u32_at(out, header + 36), 0x40000040u);  // initialised, readable data
  EXPECT_EQ(u16_at(out, 0x46), 3u);
  EXPECT_EQ(u32_at(out, kOptional + 8), 0x400u);    // initialised data grew by 0x200
  EXPECT_EQ(u32_at(out, kOptional + 56), 0x5000u);  // 0x4030 rounded up to a page
  EXPECT_EQ(u32_at(out, kResourceEntry), 0x4000u);
  EXPECT_EQ(u32_at(out, kResourceEntry + 4), 0x30u);
  EXPECT_EQ(u32_at(out, kOptional + 64), 0u);  // no checksum before, none after
}

TEST(PeImage, ComputesAFreshChecksumWhenTheStubHadOne) {
  std::string image = small_image();
  set(image, kOptional + 64, 1);
  const auto added = with_resource_section(image, layout_of(image), std::string(0x30, 'R'));
  ASSERT_TRUE(std::holds_alternative<std::string>(added));
  const std::string& out = std::get<std::string>(added);
  EXPECT_EQ(u32_at(out, kOptional + 64), pe_checksum(out, kOptional + 64));
  EXPECT_NE(u32_at(out, kOptional + 64), 1u);
}

TEST(PeChecksum, AddsWordsWithEndAroundCarryLeavingOutItsOwnField) {
  const struct {
    std::string image;
    std::size_t field;
    std::uint32_t sum;
  } cases[] = {
      {std::string("\x01\x00\x02\x00\xAA\xBB\xCC\xDD", 8), 4, 1 + 2 + 8},
      {std::string("\xAA\xBB\xCC\xDD\x01\x00\x02\x00", 8), 0, 1 + 2 + 8},
      {std::string("\xFF\xFF\x05\x00\xAA\xBB\xCC\xDD", 8), 4, 0x0005 + 8},  // 0x10004 folds to 5
      {std::string("\x01\x00\x02", 3), 100, 1 + 2 + 3},                     // odd length
  };
  for (const auto& c : cases) {
    EXPECT_EQ(pe_checksum(c.image, c.field), c.sum);
  }
}

// The linker that made the Windows stub computed its checksum; ours must agree.
TEST(PeChecksum, AgreesWithTheLinkerOnTheWindowsStub) {
  const std::filesystem::path stub_file(SCENARIO_WINDOWS_STUB);
  if (stub_file.empty() || !std::filesystem::exists(stub_file)) {
    GTEST_SKIP() << "no Windows stub in this build";
  }
  const std::string stub = scenario::testing::read_file(stub_file);
  const PeLayout layout = layout_of(stub);
  const std::uint32_t stored = u32_at(stub, layout.optional_header + 64);
  ASSERT_NE(stored, 0u);
  EXPECT_EQ(pe_checksum(stub, layout.optional_header + 64), stored);
}

TEST(PeImage, RefusesWhatIsNotAStubItCanExtend) {
  using Change = std::function<void(std::string&)>;
  const struct {
    const char* what;
    Change change;
    const char* said;
  } cases[] = {
      {"no MZ header", [](std::string& i) { i[0] = 'X'; }, "no MZ header"},
      {"a PE header beyond the file", [](std::string& i) { set(i, 0x3C, 0x7FFFFFF0); },
       "no PE header"},
      {"a wrong PE signature", [](std::string& i) { i[0x41] = 'X'; }, "no PE header"},
      {"an unknown optional header", [](std::string& i) { set(i, kOptional, 0x107, 2); },
       "unknown kind"},
      {"too few data directories", [](std::string& i) { set(i, kOptional + 108, 3); }, "cut short"},
      {"an optional header longer than the file", [](std::string& i) { i.resize(0x100); },
       "cut short"},
      {"resources already", [](std::string& i) { set(i, kResourceEntry, 0x3000); },
       "already carries resources"},
      {"a signature", [](std::string& i) { set(i, kCertificateEntry, 0x700); }, "signed"},
      {"alignments that are no powers of two",
       [](std::string& i) { set(i, kOptional + 36, 0x201); }, "alignments"},
      {"no room for another header", [](std::string& i) { set(i, kOptional + 60, 0x1A0); },
       "no room for another section header"},
      {"a section stored where the header would go",
       [](std::string& i) { section(i, 0, ".text", 0x100, 0x1000, 0x200, 0x1B0); },
       "no room for another section header"},
      {"the header's place taken", [](std::string& i) { i[0x1A0] = 'x'; }, "taken"},
      {"a section beyond the file",
       [](std::string& i) { section(i, 1, ".data", 0x1800, 0x2000, 0x400, 0x600); },
       "beyond the end of the file"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::string image = small_image();
    c.change(image);
    const auto layout = read_pe_layout(image);
    ASSERT_TRUE(std::holds_alternative<ImageRefusal>(layout));
    EXPECT_NE(std::get<ImageRefusal>(layout).reason.find(c.said), std::string::npos)
        << std::get<ImageRefusal>(layout).reason;
  }
}

}  // namespace
}  // namespace scenario::tool
