#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "app/memorizza_dati.h"
#include "memory_folder/memory_folder.h"
#include "model/file_names.h"
#include "parse/recording_observer.h"
#include "payload/scenario_payload.h"
#include "payload/text_writers.h"
#include "support/test_support.h"
#include "train_fixture.h"

namespace scenario::testing {
namespace {

// The whole parse, route half then train half, on the shipped scenario's two text files or on
// a small route with the given train text.
class TrainEndToEnd : public ::testing::Test {
 protected:
  TrainEndToEnd() {
    state.line_name = embedded_scenario().line_name;
    state.train_number = embedded_scenario().train_number;
  }

  void run(std::string_view route, std::string_view train) {
    folder.put(route_text_name(state), std::string(route));
    folder.put(train_text_name(state), std::string(train));
    EXPECT_TRUE(memorizza_dati(state, folder).ok()) << "a text file was left";
  }
  void run_shipped() {
    run(text_file_bytes(embedded_scenario().route), text_file_bytes(embedded_scenario().train));
  }

  TrackCell& cell(std::int64_t i) { return (*state.cells)[i]; }

  MemoryFolder folder;
  ScenarioState state;
};

// A route of 2000 m (N = 180) with its progressives on the cells unless told otherwise.
std::string small_route(std::string_view progressive_uno = "0, 0, 0") {
  return crlf_lines({"[generale]", "lunghezza percorso, 2000",
                     "progressiva chilometrica uno, " + std::string(progressive_uno),
                     "progressiva chilometrica due, 0, 0, 0",
                     "progressiva chilometrica tre, 0, 0, 0", "[curve]", "[fine]"});
}

TEST_F(TrainEndToEnd, CompilesTheShippedTrainOverTheShippedRoute) {
  run_shipped();
  EXPECT_EQ(state.failure.number(), 0);
  EXPECT_TRUE(folder.files().empty());
  EXPECT_EQ(state.cells->last_index(), 416);
  EXPECT_EQ(state.sim_table[kTrainRouteSlot].zone_start, 100);
  EXPECT_EQ(state.sim_table[kTrainRouteSlot].position, 4);
  EXPECT_EQ(state.sim_table[kTrainSlot].param12, 40);
  const std::int32_t zones[][2] = {
      {-350, 400}, {4650, 4950}, {7800, 8350}, {12350, 12650}, {13500, 13950}};
  for (int s = 1; s <= 5; ++s) {
    EXPECT_EQ(state.sim_table[s].zone_start, zones[s - 1][0]) << "station " << s;
    EXPECT_EQ(state.sim_table[s].zone_end, zones[s - 1][1]) << "station " << s;
  }
  for (const auto& [stop, slot] : {std::pair{7, 1}, {166, 3}, {278, 5}}) {
    EXPECT_EQ(cell(stop).kind, CellKind::station_stop) << "cell " << stop;
    EXPECT_EQ(cell(stop).value1, slot);
  }
  EXPECT_EQ(cell(240).kind, CellKind::signal);
  EXPECT_EQ(cell(240).value4, 6);
  EXPECT_EQ(cell(265).kind, CellKind::signal);
  EXPECT_EQ(cell(265).value4, 16);
  EXPECT_EQ(cell(413).speed_limit, 6);
  EXPECT_EQ(cell(413).adhesion, 100);
  EXPECT_EQ(cell(414).speed_limit, 0);
}

TEST_F(TrainEndToEnd, ABadProgressiveGives2AndStillDeletesTheTrainFile) {
  run(small_route("25, 0, 0"), crlf_lines({"[generale]", "numero vetture, 4", "[fine]"}));
  EXPECT_EQ(state.failure.number(), 2);
  EXPECT_EQ(state.sim_table[kTrainRouteSlot].position, 4);
  EXPECT_TRUE(folder.files().empty());
}

TEST_F(TrainEndToEnd, TheTrainHalfStillRunsAfterARouteRecordBeyondTheCells) {
  std::string route = small_route();
  route.insert(route.find("[fine]"), crlf_lines({"pendenza, 9000, 5"}));
  run(route, crlf_lines({"[generale]", "numero vetture, 4", "[fine]"}));
  EXPECT_EQ(state.failure.number(), 15);
  EXPECT_EQ(state.failure.error_position, 9000);
  EXPECT_EQ(state.sim_table[kTrainRouteSlot].position, 4);
  EXPECT_TRUE(folder.files().empty());
}

// Read faults anywhere in the train half end in error 25 with both text files gone.
TEST_F(TrainEndToEnd, AReadFaultInTheTrainFileEndsIn25) {
  const struct {
    const char* what;
    std::string train;
  } cases[] = {
      {"a byte field beyond 255",
       crlf_lines(
           {"[generale]", "stazione, 1000, 256, 100, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A", "[fine]"})},
      {"a record cut off by the end of the file", "[generale]\r\norologio, 10 10"},
      // The tail runs after the train file has already been deleted.
      {"a speed whose fifth is not a byte",
       crlf_lines({"[generale]", "velocita, 0, 2000", "[fine]"})},
      {"a station whose stop cell lies beyond N",
       crlf_lines(
           {"[generale]", "stazione, 8200, 12, 2000, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A", "[fine]"})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    state.failure = RecordedFailure{};
    state.failure.error_position = -1;
    run(small_route(), c.train);
    EXPECT_EQ(state.failure.number(), 25);
    EXPECT_EQ(state.failure.error_position, -1);
    EXPECT_TRUE(folder.files().empty());
  }
}

TEST_F(TrainEndToEnd, AnObserverIsToldOfBothFilesInTurn) {
  folder.put(route_text_name(state), small_route());
  folder.put(train_text_name(state), crlf_lines({"[generale]", "sabbia, 2", "[fine]"}));
  RecordingObserver observer;
  EXPECT_TRUE(memorizza_dati(state, folder, &observer).ok());
  EXPECT_EQ(observer.only({"start", "end train", "end route", "record"}),
            (std::vector<std::string>{
                "start route", "record 1 lunghezza percorso 2 [lunghezza percorso]",
                "record 4 progressiva chilometrica uno 3 [progressiva chilometrica uno]",
                "record 3 progressiva chilometrica due 4 [progressiva chilometrica due]",
                "record 2 progressiva chilometrica tre 5 [progressiva chilometrica tre]",
                "end route end_of_file", "start train", "record 6 sabbia 2 [sabbia]",
                "end train end_of_file"}));
}

TEST_F(TrainEndToEnd, AMissingTrainFileEndsIn25) {
  folder.put(route_text_name(state), small_route());
  EXPECT_TRUE(memorizza_dati(state, folder).ok());
  EXPECT_EQ(state.failure.number(), 25);
  EXPECT_EQ(state.failure.source, TextFile::train);
  // The detail names no path: the one who shows it names the train file its own way.
  EXPECT_EQ(state.failure.detail.text, "cannot open");
  EXPECT_TRUE(state.failure.detail.names_file);
  EXPECT_TRUE(folder.files().empty());
}

// The detail quotes the field whole, even one holding a zero byte.
TEST_F(TrainEndToEnd, AReadFaultKeepsEveryByteOfTheFieldItQuotes) {
  using namespace std::string_literals;
  run(small_route(),
      "[generale]\r\nsabbia, 4\0"
      "5\r\n[fine]\r\n"s);
  EXPECT_EQ(state.failure.number(), 25);
  EXPECT_EQ(state.failure.detail.text,
            "\"4\0"
            "5\" is not a number"s);
}

}  // namespace
}  // namespace scenario::testing
