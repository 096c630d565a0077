#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "parse/recording_observer.h"
#include "route_fixture.h"

namespace scenario {
namespace {

// What the reader tells an observer of the route file, beyond the fields themselves.
const std::initializer_list<std::string_view> kStructure = {"start", "end",       "record",
                                                            "head",  "unmatched", "comment"};

class ObservedRoute : public RouteParse {
 protected:
  ObservedRoute() { context.observer = &observer; }
  testing::RecordingObserver observer;
};

// The kinds of mistake an author's check looks for, one per line: a general keyword with a
// capital, a record whose number is on the next line, a general record after the general
// section, a direction-board text cut at its comma, and a last field that is never read.
const std::string kAuthorsRoute = crlf_lines({
    "preambolo",                         // 1
    "[generale]",                        // 2
    "lunghezza percorso,  1000",         // 3
    "- commento",                        // 4
    "Sfondo uno, 3",                     // 5
    "sfondo due",                        // 6
    "  4",                               // 7
    "[curve]",                           // 8
    "curvad3, 100, 200",                 // 9
    "lunghezza percorso, 5",             // 10
    "cartello_indicatore, 300, (A, B)",  // 11
    "[fine]",                            // 12
});

TEST_F(ObservedRoute, IsToldOfEveryRecordSectionHeadCommentAndUnmatchedKeyword) {
  ASSERT_EQ(parse(kAuthorsRoute), RouteOutcome::read_train);
  EXPECT_EQ(observer.only(kStructure), (std::vector<std::string>{
                                           "start route",
                                           "head opens_data [[generale]]",
                                           "record 1 lunghezza percorso 3 [lunghezza percorso]",
                                           "end 1 lunghezza percorso 3-3 go_on",
                                           "comment 1/10 [- commento]",
                                           "unmatched 5:1 [Sfondo uno]",
                                           "unmatched 5:13 [3]",
                                           "record 6 sfondo due 6 [sfondo due]",
                                           "end 6 sfondo due 6-7 go_on",
                                           "head ends_general [[curve]]",
                                           "unmatched 8:1 [[curve]]",
                                           "record 10 curva 9 [curvad3]",
                                           "end 10 curva 9-9 go_on",
                                           "unmatched 10:1 [lunghezza percorso]",
                                           "unmatched 10:21 [5]",
                                           "record 13 cartello_indicatore 11 [cartello_indicatore]",
                                           "end 13 cartello_indicatore 11-11 go_on",
                                           "unmatched 11:31 [B)]",
                                           "end route end_of_file",
                                       }));
  // The fields between: the last one, "[fine]", is read as a keyword field and left alone.
  EXPECT_EQ(observer.events[observer.events.size() - 2], "field keyword 12:1@179 [[fine]]");
}

TEST_F(ObservedRoute, IsToldHowTheRecordsEnded) {
  // The route length of short_route(), on its line 2.
  const std::string kLength = "record 1 lunghezza percorso 2 [lunghezza percorso]";
  const std::string kLengthEnd = "end 1 lunghezza percorso 2-2 go_on";
  const struct {
    const char* what;
    std::string route;
    std::int32_t profile_flag;
    std::vector<std::string> records;
  } cases[] = {
      {"a record beyond the cells ends the part",
       short_route(crlf_lines({"pendenza, 7901, 1", "pendenza, 100, 1"})),
       1,
       {kLength, kLengthEnd, "unmatched 3:1 [[curve]]", "record 9 pendenza 4 [pendenza]",
        "end 9 pendenza 4-4 part_ends", "end route part_ended"}},
      {"a board on a taken cell leaves the parse",
       short_route(crlf_lines({"cartello_indicatore, 100, A", "cartello_indicatore, 100, B"})),
       1,
       {kLength, kLengthEnd, "unmatched 3:1 [[curve]]",
        "record 13 cartello_indicatore 4 [cartello_indicatore]",
        "end 13 cartello_indicatore 4-4 go_on",
        "record 13 cartello_indicatore 5 [cartello_indicatore]",
        "end 13 cartello_indicatore 5-5 leave", "end route parse_left"}},
      {"without a plan a curve is no record",
       short_route(crlf_lines({"curvas3, 100, 200"})),
       0,
       {kLength, kLengthEnd, "unmatched 3:1 [[curve]]", "unmatched 4:1 [curvas3]",
        "unmatched 4:10 [100]", "unmatched 4:15 [200]", "end route end_of_file"}},
      {"a route length refused leaves the parse",
       crlf_lines({"[generale]", "lunghezza percorso, 1000001", "[fine]"}),
       1,
       {"record 1 lunghezza percorso 2 [lunghezza percorso]", "end 1 lunghezza percorso 2-2 leave",
        "end route parse_left"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    reset();
    state.profile_flag = c.profile_flag;
    observer.events.clear();
    context.observer = &observer;
    parse(c.route);
    EXPECT_EQ(observer.only({"record", "end", "unmatched"}), c.records);
  }
}

TEST_F(ObservedRoute, ChangesNothingTheParseCompiles) {
  parse(kAuthorsRoute);
  const ScenarioState observed = std::move(state);
  const std::int32_t observed_slot = context.next_board_slot;

  reset();
  ASSERT_EQ(context.observer, nullptr);
  parse(kAuthorsRoute);
  EXPECT_EQ(state.cells->all(), observed.cells->all());
  EXPECT_EQ(state.sim_table, observed.sim_table);
  EXPECT_EQ(state.text_line, observed.text_line);
  EXPECT_EQ(state.failure.number(), observed.failure.number());
  EXPECT_EQ(context.next_board_slot, observed_slot);
  EXPECT_EQ(all_points(*state.line_profile), all_points(*observed.line_profile));
}

}  // namespace
}  // namespace scenario
