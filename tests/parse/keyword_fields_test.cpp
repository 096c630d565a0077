#include "parse/keyword_fields.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "parse/read_fault.h"
#include "parse/recording_observer.h"

namespace scenario {
namespace {

std::string lines_of(int count, const std::string& line) {
  std::string text;
  for (int i = 0; i < count; ++i) text += line + "\r\n";
  return text;
}

TEST(NextKeywordField, PassesOverCommentFieldsByTheRuleOfThePart) {
  const struct {
    const char* what;
    std::string input;
    CommentRule rule;
    bool found;
    std::string keyword;
    std::int32_t line;
    std::vector<std::string> comments;
  } cases[] = {
      {"a plain keyword field", "x,\r\ny", kRecordComments, true, "x", 1, {}},
      {"the last field is never interpreted", "x\r\n", kRecordComments, false, "x", 1, {}},
      {"two passed over, the third taken",
       "-a\r\n-b\r\n-c\r\nx\r\n",
       kRecordComments,
       true,
       "-c",
       3,
       {"comment 1/2 [-a]", "comment 2/2 [-b]"}},
      {"the end on a field read in place of a comment",
       "-a\r\n-b",
       kRecordComments,
       false,
       "-b",
       2,
       {"comment 1/2 [-a]"}},
      {"the general section reads on past the end's test",
       "-a\r\nx",
       kGeneralSectionComments,
       true,
       "x",
       2,
       {"comment 1/10 [-a]"}},
      {"ten passed over, the eleventh taken",
       lines_of(11, "-") + "x\r\n",
       kGeneralSectionComments,
       true,
       "-",
       11,
       {"comment 1/10 [-]", "comment 2/10 [-]", "comment 3/10 [-]", "comment 4/10 [-]",
        "comment 5/10 [-]", "comment 6/10 [-]", "comment 7/10 [-]", "comment 8/10 [-]",
        "comment 9/10 [-]", "comment 10/10 [-]"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    testing::RecordingObserver observer;
    ScenarioState state;
    ParseContext context;
    context.observer = &observer;
    FieldReader reader(c.input, &observer);
    EXPECT_EQ(next_keyword_field(state, context, reader, c.rule), c.found);
    EXPECT_EQ(state.text_line, c.keyword);
    EXPECT_EQ(context.record_line, c.line);
    EXPECT_EQ(observer.only({"comment"}), c.comments);
  }
}

TEST(NextKeywordField, WithoutLookingForTheEndAReadPastItIsAFault) {
  ScenarioState state;
  ParseContext context;
  FieldReader reader("-a\r\n-b");
  EXPECT_THROW(next_keyword_field(state, context, reader, kGeneralSectionComments), ReadFault);
}

TEST(ReadRecord, TellsTheObserverOfTheRecordAndTheLinesOfItsFields) {
  testing::RecordingObserver observer;
  ScenarioState state;
  ParseContext context;
  context.observer = &observer;
  FieldReader reader("segnale stazione, 1\r\n 2\r\n[fine]\r\n-", &observer);
  constexpr RecordId kFirst{TextFile::train, 7, "segnale"};
  constexpr RecordId kSecond{TextFile::train, 10, "stazione"};

  read_keyword_field(state, context, reader);
  EXPECT_EQ(read_record(context, reader, kFirst,
                        [&] {
                          reader.read_i32();
                          return RecordOutcome::go_on;
                        }),
            RecordOutcome::go_on);
  EXPECT_EQ(read_record(context, reader, kSecond,
                        [&] {
                          reader.read_i32();
                          return RecordOutcome::part_ends;
                        }),
            RecordOutcome::part_ends);
  keyword_tested(context, SectionRole::other);
  read_keyword_field(state, context, reader);
  keyword_tested(context, SectionRole::other);

  EXPECT_EQ(observer.only({"record", "end", "head", "unmatched"}),
            (std::vector<std::string>{
                "record 7 segnale 1 [segnale stazione]", "end 7 segnale 1-1 go_on",
                "record 10 stazione 1 [segnale stazione]", "end 10 stazione 1-2 part_ends",
                "head other [[fine]]", "unmatched 3:1 [[fine]]"}));
}

TEST(ReadRecord, WithoutAnObserverOnlyRunsTheHandler) {
  ScenarioState state;
  ParseContext context;
  FieldReader reader("x, 5");
  read_keyword_field(state, context, reader);
  std::int32_t read = 0;
  EXPECT_EQ(read_record(context, reader, RecordId{},
                        [&] {
                          read = reader.read_i32();
                          return RecordOutcome::leave;
                        }),
            RecordOutcome::leave);
  EXPECT_EQ(read, 5);
  EXPECT_EQ(context.records_started, 0);
  keyword_tested(context, SectionRole::other);  // nothing to tell, and nobody to tell it
}

}  // namespace
}  // namespace scenario
