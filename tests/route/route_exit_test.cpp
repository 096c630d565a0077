#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/memorizza_dati.h"
#include "model/file_names.h"
#include "route_fixture.h"

namespace scenario {
namespace {

// The whole parse over a route file and a train file written into a folder.
class RouteInTheParse : public ::testing::Test {
 protected:
  RouteInTheParse() {
    state.line_name = "Linea Prova";
    state.train_number = "7";
    state.profile_flag = 1;
  }

  std::filesystem::path route_path() const { return folder / route_text_name(state); }
  std::filesystem::path train_path() const { return folder / train_text_name(state); }

  void run(const std::string* route_text) {
    if (route_text) testing::write_file(route_path(), *route_text);
    testing::write_file(train_path(), "[treno]\r\n[fine]\r\n");
    EXPECT_TRUE(memorizza_dati(state, folder.path()).ok()) << "a text file was left";
  }

  testing::TempFolder folder;
  ScenarioState state;
};

TEST_F(RouteInTheParse, AReadFaultDeletesBothFilesAndIs25) {
  const std::string route = crlf_lines({"[generale]", "", "lunghezza percorso, 12x", "[fine]"});
  run(&route);
  EXPECT_EQ(state.failure.number(), 25);
  EXPECT_EQ(state.failure.source, TextFile::route);
  EXPECT_EQ(state.failure.line, 3);
  EXPECT_FALSE(std::filesystem::exists(route_path()));
  EXPECT_FALSE(std::filesystem::exists(train_path()));
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
  EXPECT_FALSE(std::filesystem::exists(train_path()));
}

TEST_F(RouteInTheParse, AMissingRouteFileIs101AndDeletesNothing) {
  run(nullptr);
  EXPECT_EQ(state.failure.number(), 101);
  EXPECT_TRUE(std::filesystem::exists(train_path()));
  EXPECT_EQ(state.sim_table[kLineSlot].name, "Linea Prova");
  EXPECT_EQ(state.sim_table[kTrainSlot].name, "7");
}

// A name longer than the system takes: looking it up fails without saying whether it exists.
TEST_F(RouteInTheParse, ARouteFileThatCannotBeLookedUpIsAReadFaultNot101) {
  state.line_name = std::string(300, 'L');
  const FileResult<> left = memorizza_dati(state, folder.path());
  EXPECT_EQ(state.failure.number(), 25);
  EXPECT_EQ(state.failure.source, TextFile::route);
  EXPECT_EQ(state.failure.detail.text, "cannot look up");
  EXPECT_TRUE(state.failure.detail.names_file);
  EXPECT_FALSE(state.failure.detail.reason.empty());
  // Deleting a file of that name fails the same way, and the failure exit says so.
  ASSERT_FALSE(left.ok());
  EXPECT_EQ(left.fault().path, route_path());
  EXPECT_FALSE(left.fault().reason.empty());
}

TEST_F(RouteInTheParse, ARecordedRouteFailureLeavesTheTrainFile) {
  const std::string route = crlf_lines({"[generale]", "lunghezza percorso, 2000000", "[fine]"});
  run(&route);
  EXPECT_EQ(state.failure.number(), 1);
  EXPECT_FALSE(std::filesystem::exists(route_path()));
  EXPECT_TRUE(std::filesystem::exists(train_path()));
}

}  // namespace
}  // namespace scenario
