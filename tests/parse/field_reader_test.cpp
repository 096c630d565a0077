#include "parse/field_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "parse/read_fault.h"
#include "parse/recording_observer.h"
#include "support/test_support.h"

namespace scenario {
namespace {

// One read: a text field, or a number into a variable of the given width.
enum class Read { text, i32, i16, u8 };

std::string read_as(FieldReader& reader, Read how) {
  switch (how) {
    case Read::text:
      return reader.read_text();
    case Read::i32:
      return std::to_string(reader.read_i32());
    case Read::i16:
      return std::to_string(reader.read_i16());
    case Read::u8:
      return std::to_string(reader.read_u8());
  }
  return {};
}

TEST(FieldReader, CutsFieldsByTheSharedRules) {
  const struct {
    std::string input;
    std::vector<Read> reads;
    std::vector<std::string> expected;
    bool ends_after;
  } cases[] = {
      {"lunghezza percorso,    13800\r\n",
       {Read::text, Read::i32},
       {"lunghezza percorso", "13800"},
       true},
      // Blanks alone separate numbers; blanks before a comma or line end belong to the separator.
      {"orologio,    10              10            40 \r\n[x]",
       {Read::text, Read::i16, Read::i16, Read::i16, Read::text},
       {"orologio", "10", "10", "40", "[x]"},
       true},
      {"5 ,6\r\n", {Read::i32, Read::i32}, {"5", "6"}, true},
      {"5 6", {Read::i32, Read::i32}, {"5", "6"}, true},
      // Empty number fields read 0.
      {"0,  ,  ,  ,  0\r\n",
       {Read::i32, Read::i32, Read::i32, Read::i32, Read::i32},
       {"0", "0", "0", "0", "0"},
       true},
      {"-25,+7,", {Read::i32, Read::i32}, {"-25", "7"}, true},
      // Text keeps inner and trailing blanks, loses leading ones.
      {"cartello_indicatore,  1850,   (  EX   )( BIVIO )(TORVANE) \r\n",
       {Read::text, Read::i32, Read::text},
       {"cartello_indicatore", "1850", "(  EX   )( BIVIO )(TORVANE) "},
       true},
      // A comma cuts a text field; the rest is the next field.
      {"(A,B)\r\n", {Read::text, Read::text}, {"(A", "B)"}, true},
      // A quoted text runs to its closing quote; the rest up to the separator is dropped.
      {"\"a, b\" tail,next", {Read::text, Read::text}, {"a, b", "next"}, true},
      // An empty line is one empty field; lone CR and lone LF end lines.
      {"a\r\n\r\nb\rc\nd",
       {Read::text, Read::text, Read::text, Read::text, Read::text},
       {"a", "", "b", "c", "d"},
       true},
      // A tab is an ordinary character of its field.
      {"\tx,y", {Read::text, Read::text}, {"\tx", "y"}, true},
      {"x,", {Read::text}, {"x"}, true},
      {"x\r\n ", {Read::text}, {"x"}, false},
      {"255,-32768,32767,2147483647,-2147483648",
       {Read::u8, Read::i16, Read::i16, Read::i32, Read::i32},
       {"255", "-32768", "32767", "2147483647", "-2147483648"},
       true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input);
    FieldReader reader(c.input);
    std::vector<std::string> got;
    for (Read how : c.reads) got.push_back(read_as(reader, how));
    EXPECT_EQ(got, c.expected);
    EXPECT_EQ(reader.at_end(), c.ends_after);
  }
}

TEST(FieldReader, RefusesWhatIsNotANumberOrDoesNotFit) {
  const struct {
    std::string input;
    Read how;
  } cases[] = {
      {"12a", Read::i32},
      {"1.5", Read::i32},
      {"-", Read::i32},
      {"x", Read::i32},
      {"1\t2", Read::i32},
      {"256", Read::u8},
      {"-1", Read::u8},
      {"32768", Read::i16},
      {"-32769", Read::i16},
      {"2147483648", Read::i32},
      {"-2147483649", Read::i32},
      {"-21474836480", Read::i32},
      {"99999999999999999999999", Read::i32},
      {"", Read::i32},
      {"", Read::text},  // nothing left to read
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input);
    FieldReader reader(c.input);
    EXPECT_THROW(read_as(reader, c.how), ReadFault);
  }
}

TEST(FieldReader, ABlankInsideTheDigitsSplitsTheField) {
  // "1 2" read as one number is 1; the 2 is left for the next read.
  FieldReader reader("1 2x,");
  EXPECT_EQ(reader.read_i32(), 1);
  EXPECT_THROW(reader.read_i32(), ReadFault);
}

TEST(FieldReader, ReadingPastTheEndIsAFault) {
  FieldReader reader("[fine]\r\n");
  EXPECT_FALSE(reader.at_end());
  EXPECT_EQ(reader.read_text(), "[fine]");
  EXPECT_TRUE(reader.at_end());
  EXPECT_THROW(reader.read_text(), ReadFault);
}

TEST(FieldReader, KnowsTheLineOfTheFieldReadLast) {
  FieldReader reader("a,b\r\nc\r\n\r\n  7 8\r\n\"q\r\nq\",z");
  const std::vector<std::pair<std::string, int>> expected = {
      {"a", 1}, {"b", 1}, {"c", 2}, {"", 3}, {"7", 4}, {"8", 4}, {"q\r\nq", 5}, {"z", 6}};
  for (const auto& [field, line] : expected) {
    const std::string got =
        field == "7" || field == "8" ? std::to_string(reader.read_i32()) : reader.read_text();
    EXPECT_EQ(got, field);
    EXPECT_EQ(reader.line(), line) << field;
  }
  try {
    reader.read_i32();
    FAIL() << "read past the end";
  } catch (const ReadFault& fault) {
    EXPECT_EQ(fault.line(), 6);
  }
}

TEST(FieldReader, FaultNamesTheLineOfTheBadField) {
  FieldReader reader("a,1\r\nb,x9\r\n");
  reader.read_text();
  reader.read_i32();
  reader.read_text();
  try {
    reader.read_i32();
    FAIL() << "x9 is not a number";
  } catch (const ReadFault& fault) {
    EXPECT_EQ(fault.line(), 2);
    EXPECT_NE(std::string(fault.what()).find("x9"), std::string::npos);
  }
}

TEST(FieldReader, TellsTheObserverOfEveryFieldWithItsPlaceAndKind) {
  const struct {
    std::string input;
    std::vector<Read> reads;
    std::vector<std::string> events;
  } cases[] = {
      // Offsets: "12" begins at byte 11, the quote at 15, the empty line at 25, "-7" at 29.
      {"stazione,  12 ,\"A, B\" x\r\n\r\n  -7 8\r\n",
       {Read::text, Read::i32, Read::text, Read::text, Read::i16, Read::u8},
       {"field text 1:1@0 [stazione]", "field number 1:12@11 [12] =12",
        "field text 1:16@15 [\"A, B\" x] text [A, B]", "field text 2:1@25 []",
        "field number 3:3@29 [-7] =-7", "field number 3:6@32 [8] =8"}},
      // An empty number field is told where its separator stands.
      {"5,  ,z",
       {Read::i32, Read::i32, Read::text},
       {"field number 1:1@0 [5] =5", "field number 1:5@4 [] =0", "field text 1:6@5 [z]"}},
      // A quoted text across a line end is one field of the line it began on.
      {"a\n \"b\r\nc\",d",
       {Read::text, Read::text, Read::text},
       {"field text 1:1@0 [a]", "field text 2:2@3 [\"b\r\nc\"] text [b\r\nc]",
        "field text 3:4@10 [d]"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input);
    testing::RecordingObserver observer;
    FieldReader reader(c.input, &observer);
    for (Read how : c.reads) read_as(reader, how);
    EXPECT_EQ(observer.events, c.events);
  }
}

TEST(FieldReader, TellsTheObserverWhetherAFieldWasReadAsAKeyword) {
  testing::RecordingObserver observer;
  FieldReader reader("curvad3,curvad3", &observer);
  const std::string keyword = reader.read_keyword();
  EXPECT_EQ(reader.read_text(), keyword);
  EXPECT_EQ(observer.events, (std::vector<std::string>{"field keyword 1:1@0 [curvad3]",
                                                       "field text 1:9@8 [curvad3]"}));
  EXPECT_EQ(reader.last_field().kind, FieldKind::text);
}

TEST(FieldReader, TellsTheObserverOfAFieldItRefusesAsRefusedNeverAsRead) {
  testing::RecordingObserver observer;
  FieldReader reader("x9,300\r\n ", &observer);
  EXPECT_THROW(reader.read_i32(), ReadFault);
  EXPECT_THROW(reader.read_u8(), ReadFault);
  // The blank after the last line end is a field of its own; past it nothing is left.
  EXPECT_EQ(reader.read_text(), "");
  EXPECT_THROW(reader.read_text(), ReadFault);
  EXPECT_EQ(observer.events, (std::vector<std::string>{
                                 "refused number 1:1@0 [x9] \"x9\" is not a number",
                                 "refused number 1:4@3 [300] 300 does not fit its field (0 to 255)",
                                 "field text 2:2@9 []",
                                 "refused text 2:2@9 [] read past the end of the file",
                             }));
}

}  // namespace
}  // namespace scenario
