#include "inspect/single_byte_text.h"

#include <gtest/gtest.h>

#include <string>

namespace scenario::inspect {
namespace {

TEST(SingleByteText, ShowsCodePage1252AsUtf8) {
  struct Case {
    std::string bytes;
    std::string utf8;
  };
  const Case cases[] = {
      {"SCOGLIERA di 12", "SCOGLIERA di 12"},
      {"\x80", "\xE2\x82\xAC"},          // euro sign, U+20AC
      {"Citt\xE0", "Citt\xC3\xA0"},      // a grave, U+00E0
      {"\x8A\x9F", "\xC5\xA0\xC5\xB8"},  // S caron U+0160, Y diaeresis U+0178
      {"\x81\x9D", "\xC2\x81\xC2\x9D"},  // undefined in the code page: controls 81 and 9D
      {std::string("a\0b", 3), std::string("a\0b", 3)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(utf8_from_single_byte(c.bytes), c.utf8);
    EXPECT_EQ(single_byte_from_utf8(c.utf8), c.bytes);
  }
}

TEST(SingleByteText, EveryByteComesBackFromItsCharacter) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  const std::string shown = utf8_from_single_byte(all);
  EXPECT_EQ(single_byte_from_utf8(shown), all);
}

TEST(SingleByteText, TextWithoutBytesIsRefused) {
  const std::string cases[] = {
      "\xE4\xB8\xAD",  // a character the code page does not have
      "\xC3",          // cut short
      "\xC0\x80",      // overlong form of 0
      "\xED\xA0\x80",  // a surrogate
      "\xFF",
  };
  for (const std::string& text : cases) {
    SCOPED_TRACE(::testing::PrintToString(text));
    EXPECT_FALSE(single_byte_from_utf8(text).has_value());
  }
}

TEST(SingleByteText, InvalidUtf8IsReplacedByteByByte) {
  const std::pair<std::string, std::string> cases[] = {
      {"Citt\xC3\xA0_1.sim", "Citt\xC3\xA0_1.sim"},
      {"Citt\xE0_1.sim", "Citt\xEF\xBF\xBD_1.sim"},  // a code page byte in a file name
      {"\xC0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"\xE2\x82", "\xEF\xBF\xBD\xEF\xBF\xBD"},
  };
  for (const auto& [text, valid] : cases) EXPECT_EQ(valid_utf8(text), valid);
}

}  // namespace
}  // namespace scenario::inspect
