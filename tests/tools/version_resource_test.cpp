#include "version_resource.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <regex>

#include "support/test_support.h"

namespace scenario::tool {
namespace {

using scenario::testing::read_file;
using scenario::testing::TempFolder;
using scenario::testing::write_file;

std::uint32_t u32_at(std::string_view bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    v |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[at + i])) << (8 * i);
  }
  return v;
}

// The data of the first version resource (type 16) of a compiled resource file.
std::optional<std::string> version_in_res(std::string_view res) {
  for (std::size_t at = 0; at + 12 <= res.size();) {
    const std::uint32_t data_size = u32_at(res, at);
    const std::uint32_t header_size = u32_at(res, at + 4);
    if (header_size < 12 || res.size() - at < std::uint64_t{header_size} + data_size) break;
    if (res.substr(at + 8, 4) == std::string_view("\xFF\xFF\x10\x00", 4)) {
      return std::string(res.substr(at + header_size, data_size));
    }
    at = (at + header_size + data_size + 3) / 4 * 4;
  }
  return std::nullopt;
}

// Compiles the resource script for `name` as the MinGW-w64 resource compiler does.
std::optional<std::string> compiled_by_windres(const TempFolder& folder, const std::string& name) {
  std::string script = read_file(SCENARIO_VERSION_RC);
  script = std::regex_replace(script, std::regex("@PACK_RC_NAME@"), name);
  write_file(folder / "version.rc", script);
  const std::string command = std::string("\"") + SCENARIO_WINDRES + "\" -i \"" +
                              (folder / "version.rc").string() + "\" -O res -o \"" +
                              (folder / "version.res").string() + "\"";
  if (std::system(command.c_str()) != 0) return std::nullopt;
  return version_in_res(read_file(folder / "version.res"));
}

TEST(VersionResource, IsTheResourceCompilersByteForByte) {
  if (std::string_view(SCENARIO_WINDRES).empty()) {
    GTEST_SKIP() << "x86_64-w64-mingw32-windres is not installed";
  }
  for (const std::string name : {"A_1", "Vallombra Marina_Scogliera_4127", "Segnale Zero_1",
                                 "Collina Prova_88", "linea-lunga.con punti_1234567890"}) {
    SCOPED_TRACE(name);
    TempFolder folder;
    const auto expected = compiled_by_windres(folder, name);
    ASSERT_TRUE(expected.has_value());
    EXPECT_EQ(version_resource(name), *expected);
  }
}

TEST(VersionResource, WritesANonAsciiNameAsUtf16) {
  // "Città_1" held as code page 1252: à is 0xE0, which is U+00E0. The resource has the layout of
  // the same name with a plain 'a', but with that one character changed in both strings.
  const std::string accented = version_resource("Citt\xE0_1");
  const std::string plain = version_resource("Citta_1");
  ASSERT_EQ(accented.size(), plain.size());
  const std::string utf16_a("a\0", 2);
  const std::string utf16_a_grave("\xE0\0", 2);
  std::vector<std::size_t> differences;
  for (std::size_t at = 0; at < plain.size(); ++at) {
    if (accented[at] != plain[at]) differences.push_back(at);
  }
  ASSERT_EQ(differences.size(), 2u);
  for (const std::size_t at : differences) {
    EXPECT_EQ(plain.substr(at, 2), utf16_a);
    EXPECT_EQ(accented.substr(at, 2), utf16_a_grave);
  }
  const std::string internal = std::string(
      "C\0i\0t\0t\0\xE0\0_\0"
      "1\0\0\0",
      16);
  EXPECT_NE(accented.find(internal), std::string::npos);
  EXPECT_EQ(u32_at(accented, 0) & 0xFFFF, accented.size());
}

}  // namespace
}  // namespace scenario::tool
