#include "model/code_page_1252.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace scenario {
namespace {

TEST(CodePage1252, TakesUtf8TextThatTheCodePageCanHold) {
  const struct {
    std::string utf8;
    std::optional<std::string> single_byte;
  } cases[] = {
      {"Vallombra Marina_Scogliera", "Vallombra Marina_Scogliera"},
      {"", ""},
      {"Citt\xC3\xA0", "Citt\xE0"},  // à, as in Latin-1
      {"\xC3\xBF", "\xFF"},          // ÿ, the last byte
      {"\xE2\x82\xAC", "\x80"},      // €, where the code page departs from Latin-1
      {"\xC5\x92", "\x8C"},          // Œ
      {"\xC5\xB8", "\x9F"},          // Ÿ
      {"\xC5\xA0", "\x8A"},          // Š
      {std::string("a\0b", 3), std::string("a\0b", 3)},
      {"\xC2\x81", "\x81"},                // an undefined byte stands for its control character
      {"\xC5\x82", std::nullopt},          // ł has no byte in this code page
      {"\xE6\x97\xA5", std::nullopt},      // nor has a CJK character
      {"\xC2\x80", std::nullopt},          // U+0080: 0x80 is the euro sign, not this control
      {"a\xC3", std::nullopt},             // a sequence cut short
      {"\x80", std::nullopt},              // a stray continuation byte
      {"\xC0\xAF", std::nullopt},          // an overlong '/'
      {"\xED\xA0\x80", std::nullopt},      // a surrogate
      {"\xF4\x90\x80\x80", std::nullopt},  // beyond U+10FFFF
      {"\xF0\x9F\x9A\x86", std::nullopt},  // well-formed, four bytes, but not in the code page
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(utf8_to_code_page_1252(c.utf8), c.single_byte);
  }
}

TEST(CodePage1252, EveryByteGoesToUtf8AndBack) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(utf8_to_code_page_1252(code_page_1252_to_utf8(byte)), byte) << b;
  }
}

TEST(CodePage1252, GivesOneUtf16UnitPerByte) {
  EXPECT_EQ(code_page_1252_to_utf16("Citt\xE0 \x80\x9F"), u"Citt\u00E0 \u20AC\u0178");
  EXPECT_EQ(code_page_1252_to_utf8("Citt\xE0 \x80"), "Citt\xC3\xA0 \xE2\x82\xAC");
}

}  // namespace
}  // namespace scenario
