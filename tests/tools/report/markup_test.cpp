#include "report/markup.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace scenario::report {
namespace {

struct TextCase {
  const char* what;
  std::string text;
  std::string expected;
};

TEST(Escaping, MakesSingleByteTextSafeMarkupInUtf8) {
  const std::vector<TextCase> cases = {
      {"plain text stays", "SCOGLIERA (P.L.)", "SCOGLIERA (P.L.)"},
      {"ampersand", "A&B", "A&amp;B"},
      {"a tag", "<script>x</script>", "&lt;script&gt;x&lt;/script&gt;"},
      {"both quotes", "\"'", "&quot;&#39;"},
      {"an entity is not kept", "&amp;", "&amp;amp;"},
      {"Latin-1 letter", "CITT\xC0", "CITT\xC3\x80"},
      {"the euro sign of the code page", "\x80", "\xE2\x82\xAC"},
      {"a curly quote of the code page", "\x93", "\xE2\x80\x9C"},
      {"a byte the code page leaves undefined", "\x81", "\xEF\xBF\xBD"},
      {"a control character", std::string("a\x01") + "b",
       "a\xEF\xBF\xBD"
       "b"},
      {"the NUL byte", std::string("a\0b", 3),
       "a\xEF\xBF\xBD"
       "b"},
      {"delete", "\x7F", "\xEF\xBF\xBD"},
      {"a tab stays", "a\tb", "a\tb"},
      {"UTF-8 bytes are read as single bytes", "\xC3\xA8", "\xC3\x83\xC2\xA8"},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(escaped(c.text), c.expected);
  }
}

TEST(Escaping, KeepsWellFormedUtf8InMixedTextAndReadsOtherBytesInTheCodePage) {
  const std::vector<TextCase> cases = {
      {"well-formed two bytes", "perch\xC3\xA9", "perch\xC3\xA9"},
      {"well-formed three bytes", "\xE2\x82\xAC 5", "\xE2\x82\xAC 5"},
      {"well-formed four bytes", "\xF0\x9F\x9A\x86", "\xF0\x9F\x9A\x86"},
      {"a lone lead byte", "\xC3 x", "\xC3\x83 x"},
      {"an overlong slash", "\xC0\xAF", "\xC3\x80\xC2\xAF"},
      {"a surrogate", "\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},
      {"U+FFFE, which XML cannot carry", "\xEF\xBF\xBE", "\xC3\xAF\xC2\xBF\xC2\xBE"},
      {"markup still escaped", "<a href=\"x\">", "&lt;a href=&quot;x&quot;&gt;"},
      {"a control character", "\x02", "\xEF\xBF\xBD"},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.what);
    std::string out;
    append_escaped_mixed(out, c.text);
    EXPECT_EQ(out, c.expected);
  }
}

struct NumberCase {
  double value;
  int decimals;
  const char* expected;
};

TEST(Numbers, AreWrittenFixedWithTheLastDigitRoundedHalfToEven) {
  const std::vector<NumberCase> cases = {
      {0, 1, "0.0"},          {12.34, 1, "12.3"}, {0.25, 1, "0.2"},
      {0.75, 1, "0.8"},       {2.5, 0, "2"},      {3.5, 0, "4"},
      {-1.5, 0, "-2"},        {-0.04, 1, "0.0"},  {-12.5, 1, "-12.5"},
      {12.0625, 3, "12.062"}, {7, 3, "7.000"},    {0.000125, 6, "0.000125"},
      {-0.05, 3, "-0.050"},   {1e20, 1, "0"},     {123456.789, 0, "123457"},
  };
  for (const NumberCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.value) + " to " + std::to_string(c.decimals));
    EXPECT_EQ(fixed(c.value, c.decimals), c.expected);
  }
  EXPECT_EQ(fixed(std::numeric_limits<double>::quiet_NaN(), 1), "0");
  EXPECT_EQ(fixed(std::numeric_limits<double>::infinity(), 1), "0");
}

TEST(Numbers, ClockTimesShowHoursMinutesAndSeconds) {
  const std::vector<std::pair<long long, const char*>> cases = {
      {0, "00:00:00"},    {9 * 3600 + 40, "09:00:40"}, {12 * 3600, "12:00:00"}, {59, "00:00:59"},
      {3599, "00:59:59"}, {100 * 3600, "100:00:00"},   {-61, "-00:01:01"},
  };
  for (const auto& [seconds, expected] : cases) {
    SCOPED_TRACE(seconds);
    EXPECT_EQ(clock_time(seconds), expected);
  }
}

}  // namespace
}  // namespace scenario::report
