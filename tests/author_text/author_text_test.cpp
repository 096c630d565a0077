#include "author_text/author_text.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>

namespace scenario::author {
namespace {

using std::string_literals::operator""s;

constexpr auto automatic = EncodingChoice::automatic;

TEST(AuthorText, GivesTheCodePageTextOfEachEncoding) {
  const struct {
    const char* what;
    std::string saved;
    EncodingChoice choice;
    SavedEncoding read_as;
    std::string text;
    bool converted;
  } cases[] = {
      {"an empty file", "", automatic, SavedEncoding::cp1252, "", false},
      {"ASCII alone", "[generale]\r\n", automatic, SavedEncoding::cp1252, "[generale]\r\n", false},
      {"code page text", "CITT\xC0 ALTA", automatic, SavedEncoding::cp1252, "CITT\xC0 ALTA", false},
      {"UTF-8 without a mark", "CITT\xC3\x80 ALTA", automatic, SavedEncoding::utf8, "CITT\xC0 ALTA",
       true},
      {"the euro sign in UTF-8", "\xE2\x82\xAC 5", automatic, SavedEncoding::utf8, "\x80 5", true},
      {"UTF-8 with a mark, ASCII after it", "\xEF\xBB\xBF[generale]", automatic,
       SavedEncoding::utf8, "[generale]", true},
      {"a UTF-8 mark alone", "\xEF\xBB\xBF", automatic, SavedEncoding::utf8, "", true},
      {"UTF-16 LE with a mark",
       "\xFF\xFE"
       "A\0\xC0\0\r\0\n\0"s,
       automatic, SavedEncoding::utf16le, "A\xC0\r\n", true},
      {"UTF-16 BE with a mark", "\xFE\xFF\0A\x20\xAC"s, automatic, SavedEncoding::utf16be, "A\x80",
       true},
      {"a UTF-16 mark alone", "\xFF\xFE", automatic, SavedEncoding::utf16le, "", true},
      {"a NUL character in UTF-16", "\xFF\xFE\0\0"s, automatic, SavedEncoding::utf16le, "\0"s,
       true},
      {"UTF-8 bytes taken as the code page", "CITT\xC3\x80", EncodingChoice::cp1252,
       SavedEncoding::cp1252, "CITT\xC3\x80", false},
      {"a UTF-8 mark taken as the code page",
       "\xEF\xBB\xBF"
       "a",
       EncodingChoice::cp1252, SavedEncoding::cp1252,
       "\xEF\xBB\xBF"
       "a",
       false},
      {"UTF-8 asked for, ASCII alone", "abc", EncodingChoice::utf8, SavedEncoding::utf8, "abc",
       false},
      {"UTF-16 asked for, without a mark", "A\0B\0"s, EncodingChoice::utf16, SavedEncoding::utf16le,
       "AB", true},
      {"UTF-16 asked for, a big-endian mark", "\xFE\xFF\0A"s, EncodingChoice::utf16,
       SavedEncoding::utf16be, "A", true},
      {"line ends kept as they are", "\xC3\xA0\r\n\r\xC3\xA0\n", automatic, SavedEncoding::utf8,
       "\xE0\r\n\r\xE0\n", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto read = read_author_text(c.saved, c.choice);
    ASSERT_TRUE(std::holds_alternative<AuthorText>(read)) << std::get<TextRefusal>(read).message;
    const AuthorText& text = std::get<AuthorText>(read);
    EXPECT_EQ(text.read_as, c.read_as);
    EXPECT_EQ(text.text, c.text);
    EXPECT_EQ(text.converted, c.converted);
  }
}

TEST(AuthorText, RefusesAFileAtTheFirstCharacterItCannotGive) {
  const struct {
    const char* what;
    std::string saved;
    EncodingChoice choice;
    std::int32_t line;
    std::int32_t column;
    const char* said;
  } cases[] = {
      {"a character the code page lacks", "x\r\nCITT\xC3\x80 \xC5\x90", automatic, 2, 8,
       "U+0150 \"\xC5\x90\""},
      {"after a lone CR and a lone LF", "a\rb\n\xC5\x90", automatic, 3, 1, "U+0150"},
      {"the mark is not counted", "\xEF\xBB\xBF\xC5\x90", automatic, 1, 1, "U+0150"},
      {"a control character the code page lacks", "ab\xC2\x85", automatic, 1, 3, "U+0085 has"},
      {"UTF-8 asked for, not UTF-8", "ab\xC3(", EncodingChoice::utf8, 1, 3, "byte 0xC3"},
      {"not UTF-8 after a UTF-8 mark",
       "\xEF\xBB\xBF"
       "a\xFF",
       automatic, 1, 2, "byte 0xFF"},
      {"UTF-16 of an odd length",
       "\xFF\xFE"
       "a\0\n\0b\0c"s,
       automatic, 2, 3, "odd number"},
      {"a pair outside the code page",
       "\xFF\xFE"
       "A\0\x3D\xD8\x00\xDE"s,
       automatic, 1, 3, "U+1F600"},
      {"a first half alone",
       "\xFF\xFE\x3D\xD8"
       "A\0"s,
       automatic, 1, 1, "0xD83D is the first"},
      {"a first half at the end", "\xFF\xFE\x3D\xD8", automatic, 1, 1, "0xD83D is the first"},
      {"a second half alone",
       "\xFF\xFE"
       "A\0\x00\xDE"s,
       automatic, 1, 3, "0xDE00 is the second"},
      {"UTF-16 BE counts bytes", "\xFE\xFF\0a\x01\x50"s, automatic, 1, 3, "U+0150"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto read = read_author_text(c.saved, c.choice);
    ASSERT_TRUE(std::holds_alternative<TextRefusal>(read));
    const TextRefusal& refusal = std::get<TextRefusal>(read);
    EXPECT_EQ(refusal.where.line, c.line);
    EXPECT_EQ(refusal.where.column, c.column);
    EXPECT_NE(refusal.message.find(c.said), std::string::npos) << refusal.message;
  }
}

TEST(AuthorText, MapsColumnsBackToTheFileAsSaved) {
  const struct {
    const char* what;
    std::string saved;
    std::int32_t line;
    std::int32_t column;  // in the converted text
    std::int32_t saved_column;
  } cases[] = {
      {"after a two-byte character", "CITT\xC3\x80 ALTA, 5", 1, 7, 8},
      {"on the character itself", "CITT\xC3\x80 ALTA, 5", 1, 5, 5},
      {"after the euro sign's three bytes", "\xE2\x82\xAC 5", 1, 3, 5},
      {"the mark is not counted",
       "\xEF\xBB\xBF"
       "ab",
       1, 2, 2},
      {"UTF-16 after CR LF",
       "\xFF\xFE"
       "x\0\r\0\n\0a\0b\0"s,
       2, 2, 3},
      {"after a lone CR", "\xC3\x80\r\xC3\x80x", 2, 2, 3},
      {"just past the end", "\xC3\x80", 1, 2, 3},
      {"beyond the end", "\xC3\x80", 1, 4, 5},
      {"code page text stands as it is", "CITT\xC0 ALTA", 1, 7, 7},
      {"a whole line", "\xC3\x80", 1, 0, 0},
      {"a line past the last", "\xC3\x80", 2, 3, 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto read = read_author_text(c.saved, automatic);
    ASSERT_TRUE(std::holds_alternative<AuthorText>(read));
    EXPECT_EQ(std::get<AuthorText>(read).columns.saved_column(c.line, c.column), c.saved_column);
  }
}

}  // namespace
}  // namespace scenario::author
