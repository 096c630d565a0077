#include "model/utf8.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace scenario {
namespace {

TEST(Utf8, InvalidBytesAreReplacedOneByOne) {
  const std::pair<std::string, std::string> cases[] = {
      {"Citt\xC3\xA0_1.sim", "Citt\xC3\xA0_1.sim"},
      {"Citt\xE0_1.sim", "Citt\xEF\xBF\xBD_1.sim"},              // a code page byte in a file name
      {"\xC0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD"},                  // overlong
      {"\xE2\x82", "\xEF\xBF\xBD\xEF\xBF\xBD"},                  // cut short
      {"\xF0\x9F\x9A\x86", "\xF0\x9F\x9A\x86"},                  // four bytes, well formed
      {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},  // a surrogate
  };
  for (const auto& [text, valid] : cases) EXPECT_EQ(valid_utf8(text), valid);
}

TEST(Utf8, EveryLengthOfCharacterGoesOutAndBack) {
  for (const char32_t c :
       {U'\0', U'a', U'\u00E0', U'\u20AC', U'\uFFFD', U'\U0001F686', U'\U0010FFFF'}) {
    std::string text;
    append_utf8(text, c);
    std::size_t at = 0;
    EXPECT_EQ(next_utf8_character(text, at), c) << static_cast<unsigned>(c);
    EXPECT_EQ(at, text.size());
  }
}

}  // namespace
}  // namespace scenario
