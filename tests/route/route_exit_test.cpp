#include <gtest/gtest.h>

#include <string>

#include "app/memorizza_dati.h"
#include "memory_folder/memory_folder.h"
#include "model/file_names.h"
#include "route_fixture.h"

namespace scenario {
namespace {

// The whole parse over a route file and a train file put into a folder in memory.
class RouteInTheParse : public ::testing::Test {
 protected:
  RouteInTheParse() {
    state.line_name = "Linea Prova";
    state.train_number = "7";
    state.profile_flag = 1;
  }

  bool route_file_exists() const { return folder.file(route_text_name(state)).has_value(); }
  bool train_file_exists() const { return folder.file(train_text_name(state)).has_value(); }

  void run(const std::string* route_text) {
    if (route_text) folder.put(route_text_name(state), *route_text);
    folder.put(train_text_name(state), "[treno]\r\n[fine]\r\n");
    EXPECT_TRUE(memorizza_dati(state, folder).ok()) << "a text file was left";
  }

  MemoryFolder folder;
  ScenarioState state;
};

TEST_F(RouteInTheParse, AReadFaultDeletesBothFilesAndIs25) {
  const std::string route = crlf_lines({"[generale]", "", "lunghezza percorso, 12x", "[fine]"});
  run(&route);
  EXPECT_EQ(state.failure.number(), 25);
  EXPECT_EQ(state.failure.source, TextFile::route);
  EXPECT_EQ(state.failure.line, 3);
  EXPECT_FALSE(route_file_exists());
  EXPECT_FALSE(train_file_exists());
}

TEST_F(RouteInTheParse, AFaultFoundByATableAccessNamesItsRecord) {
  const std::string route =
      short_route(crlf_lines({"montagna, 100, 200, 1", "", "pendenza, 7900, 1", "pendenza, 7900, 1",
                              "pendenza, 7900, 1", "pendenza, 7900, 1", "pendenza, 7900, 1"}));
  run(&route);
  // The fourth gradient record at 7900 fills cell 160; the fifth, on line 10, would write 161.
  EXPECT_EQ(state.failure.number(), 25);
  EXPECT_EQ(state.failure.line, 10);
  EXPECT_EQ(state.mountain_count, 1);  // what was compiled before the fault stays
  EXPECT_FALSE(train_file_exists());
}

TEST_F(RouteInTheParse, AMissingRouteFileIs101AndDeletesNothing) {
  run(nullptr);
  EXPECT_EQ(state.failure.number(), 101);
  EXPECT_TRUE(train_file_exists());
  EXPECT_EQ(state.sim_table[kLineSlot].name, "Linea Prova");
  EXPECT_EQ(state.sim_table[kTrainSlot].name, "7");
}

TEST_F(RouteInTheParse, ARecordedRouteFailureLeavesTheTrainFile) {
  const std::string route = crlf_lines({"[generale]", "lunghezza percorso, 2000000", "[fine]"});
  run(&route);
  EXPECT_EQ(state.failure.number(), 1);
  EXPECT_FALSE(route_file_exists());
  EXPECT_TRUE(train_file_exists());
}

}  // namespace
}  // namespace scenario
