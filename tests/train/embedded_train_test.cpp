#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "payload/scenario_payload.h"
#include "payload/text_writers.h"
#include "train_fixture.h"

namespace scenario::testing {
namespace {

// The shipped train over the shipped route as the route half leaves it: a line of 13800 m, so
// N = (13800 + 7000) / 50 = 416, and six direction boards in slots 80 to 75.
class EmbeddedTrain : public TrainParseTest {
 protected:
  EmbeddedTrain() {
    state.cells.emplace(416);
    context.next_board_slot = 74;
    run(text_file_bytes(embedded_scenario().train));
  }
};

TEST_F(EmbeddedTrain, CompilesWithoutAFailureAndDeletesTheFile) {
  EXPECT_EQ(state.failure.number(), 0);
  EXPECT_FALSE(train_file_exists());
}

TEST_F(EmbeddedTrain, StoresTheGeneralData) {
  EXPECT_EQ(slot(kTrainRouteSlot).zone_start, 100);
  EXPECT_EQ(slot(kTrainRouteSlot).position, 4);
  EXPECT_EQ(slot(kTrainSlot).param7, 0);
  EXPECT_EQ(slot(kTrainSlot).param10, 10);
  EXPECT_EQ(slot(kTrainSlot).param11, 10);
  EXPECT_EQ(slot(kTrainSlot).param12, 40);
}

TEST_F(EmbeddedTrain, StoresTheFiveStations) {
  const struct {
    std::int32_t position, zone_start, zone_end;
    std::uint8_t type, param5, param6;
    const char* name;
  } expected[] = {
      {0, -350, 400, 12, 0, 0, "VALLOMBRA MARINA"},  // 700 m plus 50 m: param6 then cleared
      {4800, 4650, 4950, 28, 0, 0, "ROCCALTA"},
      {8050, 7800, 8350, 12, 0, 1, "SELVANERA di SCOGLIERA"},
      {12500, 12350, 12650, 28, 0, 0, "DARSENA di SCOGLIERA"},
      {13800, 13500, 13950, 6, 0, 0, "SCOGLIERA"},
  };
  for (int s = 1; s <= 5; ++s) {
    const auto& e = expected[s - 1];
    SCOPED_TRACE(e.name);
    EXPECT_EQ(slot(s).position, e.position);
    EXPECT_EQ(slot(s).zone_start, e.zone_start);
    EXPECT_EQ(slot(s).zone_end, e.zone_end);
    EXPECT_EQ(slot(s).type, e.type);
    EXPECT_EQ(slot(s).param5, e.param5);
    EXPECT_EQ(slot(s).param6, e.param6);
    EXPECT_EQ(slot(s).name, e.name);
  }
  EXPECT_EQ(slot(1).time_s, 9 * 3600 + 40);
  EXPECT_EQ(slot(5).param13, 60);
  EXPECT_EQ(slot(5).time_s, 12 * 3600);
  EXPECT_EQ(slot(6), SimSlot{});
}

TEST_F(EmbeddedTrain, PlacesStopCellsAndTheirMarks) {
  for (const auto& [stop, value1] : {std::pair{7, 1}, {166, 3}, {278, 5}}) {
    EXPECT_EQ(cell(stop).kind, CellKind::station_stop) << "cell " << stop;
    EXPECT_EQ(cell(stop).value1, value1);
  }
  for (int k = 1; k <= 4; ++k) {
    EXPECT_EQ(cell(7 - k).marker, 80 + k);
    EXPECT_EQ(cell(166 - k).marker, 80 + k);
    EXPECT_EQ(cell(278 - k).marker, 0);  // type 6 has no approach marks
  }
}

TEST_F(EmbeddedTrain, StoresTheTwoSignals) {
  const struct {
    std::int64_t at;
    std::int16_t value1, value2, value4;
  } signals[] = {{240, 50, 60, 6}, {265, 30, 40, 16}};
  for (const auto& s : signals) {
    SCOPED_TRACE(s.at);
    EXPECT_EQ(cell(s.at).kind, CellKind::signal);
    EXPECT_EQ(cell(s.at).value1, s.value1);
    EXPECT_EQ(cell(s.at).value2, s.value2);
    EXPECT_EQ(cell(s.at).value3, 0);
    EXPECT_EQ(cell(s.at).value4, s.value4);
    EXPECT_EQ(cell(s.at).signal_time, 0);
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(cell(s.at - 2 * k).marker, 60 + k);
  }
}

TEST_F(EmbeddedTrain, FillsSpeedAndAdhesionToCell413) {
  for (std::int64_t i = 0; i <= 413; ++i) {
    ASSERT_EQ(cell(i).speed_limit, 6) << "cell " << i;
    ASSERT_EQ(cell(i).adhesion, 100) << "cell " << i;
  }
  for (std::int64_t i = 414; i <= 416; ++i) {
    EXPECT_EQ(cell(i).speed_limit, 0) << "cell " << i;
    EXPECT_EQ(cell(i).adhesion, 0) << "cell " << i;
  }
}

}  // namespace
}  // namespace scenario::testing
