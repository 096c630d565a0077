#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "parse/recording_observer.h"
#include "train_fixture.h"

namespace scenario::testing {
namespace {

class ObservedTrain : public TrainParseTest {
 protected:
  ObservedTrain() { context.observer = &observer; }
  RecordingObserver observer;
};

TEST_F(ObservedTrain, IsToldOfEveryRecordSectionHeadCommentAndUnmatchedKeyword) {
  // A station name cut at a comma, a third separator taken as a keyword field, and a record
  // after "[fine]".
  run(crlf_lines({
      "[generale]",                                                         // 1
      "STAZIONE, 1000, 12, 300, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, NOME, CUT",  // 2
      "-----",                                                              // 3
      "-----",                                                              // 4
      "-----",                                                              // 5
      "[fine]",                                                             // 6
      "numero vetture, 4",                                                  // 7
      "[fine]",                                                             // 8
  }));
  EXPECT_EQ(observer.only({"start", "end", "record", "head", "unmatched", "comment"}),
            (std::vector<std::string>{
                "start train",
                "head opens_data [[generale]]",
                "record 10 stazione 2 [STAZIONE]",
                "end 10 stazione 2-2 go_on",
                "unmatched 2:63 [CUT]",
                "comment 1/2 [-----]",
                "comment 2/2 [-----]",
                "unmatched 5:1 [-----]",
                "head other [[fine]]",
                "unmatched 6:1 [[fine]]",
                "record 2 numero vetture 7 [numero vetture]",
                "end 2 numero vetture 7-7 go_on",
                "end train end_of_file",
            }));
  EXPECT_EQ(slot(1).name, "NOME");
  EXPECT_EQ(slot(kTrainRouteSlot).position, 4);
}

TEST_F(ObservedTrain, IsToldHowTheRecordsEnded) {
  const struct {
    const char* what;
    std::string text;
    std::vector<std::string> events;
  } cases[] = {
      {"no \"[generale]\": nothing is read",
       crlf_lines({"numero vetture, 4", "[fine]"}),
       {"start train", "end train no_data"}},
      {"a record beyond the cells ends the records",
       crlf_lines({"[generale]", "velocita, 8901, 3", "sabbia, 1", "[fine]"}),
       {"start train", "record 3 velocita 2 [velocita]", "end 3 velocita 2-2 part_ends",
        "end train part_ended"}},
      {"a station off the grid leaves the parse",
       crlf_lines(
           {"[generale]", "stazione, 1025, 12, 300, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A", "[fine]"}),
       {"start train", "record 10 stazione 2 [stazione]", "end 10 stazione 2-2 leave",
        "end train parse_left"}},
      {"two keywords in one field start two records in turn",
       crlf_lines({"[generale]", "vetture sabbia, 4, 5", "[fine]"}),
       {"start train", "record 2 numero vetture 2 [vetture sabbia]",
        "end 2 numero vetture 2-2 go_on", "record 6 sabbia 2 [vetture sabbia]",
        "end 6 sabbia 2-2 go_on", "end train end_of_file"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    observer.events.clear();
    run(c.text);
    EXPECT_EQ(observer.only({"start", "end", "record"}), c.events);
  }
}

}  // namespace
}  // namespace scenario::testing
