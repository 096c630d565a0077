#include "report/line_survey.h"

#include <gtest/gtest.h>

#include <vector>

namespace scenario::report {
namespace {

TrackCell cell(CellKind kind, std::int16_t v1 = 0, std::int16_t v2 = 0, std::int16_t v3 = 0,
               std::int16_t v4 = 0) {
  TrackCell c;
  c.kind = kind;
  c.value1 = v1;
  c.value2 = v2;
  c.value3 = v3;
  c.value4 = v4;
  return c;
}

// A line of cells 0 to 200 (route length 3000 m), speed 6 (30 km/h) and gradient 100 (level)
// in every cell the fills reach, 0 to 197.
ScenarioState line_state() {
  ScenarioState state;
  state.line_name = "Prova";
  state.train_number = "7";
  state.sim_table[kTrainRouteSlot].zone_end = 3000;
  state.cells.emplace(200);
  for (std::int32_t i = 0; i <= 197; ++i) {
    (*state.cells)[i].speed_limit = 6;
    (*state.cells)[i].gradient = 100;
  }
  return state;
}

TEST(SignalValues, UnpackIntoTheirDigitsAndSides) {
  struct Case {
    TrackCell cell;
    SignalAspects expected;
  };
  const std::vector<Case> cases = {
      // 11950 m in the shipped train: s 5, 6, 0; sx 2, dx 0; rapp 0.
      {cell(CellKind::signal, 50, 60, 0, 6), {{5, 6, 0}, {0, 0, 0}, 0, 2, 0}},
      // 13200 m: rapp 1 gives value4 16.
      {cell(CellKind::signal, 30, 40, 0, 16), {{3, 4, 0}, {0, 0, 0}, 1, 2, 0}},
      {cell(CellKind::signal, 57, 12, 99, 28), {{5, 1, 9}, {7, 2, 9}, 2, 2, 2}},
      // A negative value still reads as s × 10 + d with d from 0 to 9.
      {cell(CellKind::signal, -7, 0, 0, 1), {{-1, 0, 0}, {3, 0, 0}, 0, 0, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cell.value1);
    const SignalAspects a = decode_signal(c.cell);
    for (int k = 0; k < 3; ++k) {
      EXPECT_EQ(a.s[k], c.expected.s[k]);
      EXPECT_EQ(a.d[k], c.expected.d[k]);
    }
    EXPECT_EQ(a.rapp, c.expected.rapp);
    EXPECT_EQ(a.sx, c.expected.sx);
    EXPECT_EQ(a.dx, c.expected.dx);
  }
}

TEST(BoardSpeeds, UnpackTheFirstBoardFromTheHundredsAndTheSecondFromTheRest) {
  // 130 / 5 + 130 × 20 = 2626; 50 × 20 = 1000 with an empty second board; 495 and 495.
  EXPECT_EQ(unpack_board_speeds(2626)->first, 130);
  EXPECT_EQ(unpack_board_speeds(2626)->second, 130);
  EXPECT_EQ(unpack_board_speeds(1000)->first, 50);
  EXPECT_EQ(unpack_board_speeds(1000)->second, 0);
  EXPECT_EQ(unpack_board_speeds(9999)->first, 495);
  EXPECT_EQ(unpack_board_speeds(9999)->second, 495);
  EXPECT_FALSE(unpack_board_speeds(-200));
}

TEST(LineSurvey, FindsTheObjectsOfTheCellsAtTheirCellsPositions) {
  ScenarioState state = line_state();
  CellArray& cells = *state.cells;
  cells[30] = cell(CellKind::signal, 50, 60, 0, 6);
  cells[47] = cell(CellKind::speed_boards, 2626, 2727, 2727, 0);
  cells[28] = cell(CellKind::direction_board, 80);
  cells[38] = cell(CellKind::direction_board, 79);
  state.sim_table[80].name = "(DEV.U.)";
  state.sim_table[79].name = "(BIVIO)";
  cells[60] = cell(CellKind::direction_board, 300);  // a slot outside the table

  const LineSurvey survey = survey_line(state, nullptr);
  EXPECT_EQ(survey.route_length, 3000);
  EXPECT_EQ(survey.last_cell, 200);
  EXPECT_EQ(survey.drawn_end_m, 201 * 50);
  ASSERT_EQ(survey.signals.size(), 1U);
  EXPECT_EQ(survey.signals[0].cell, 30);
  EXPECT_EQ(survey.signals[0].aspects.sx, 2);
  ASSERT_EQ(survey.speed_boards.size(), 1U);
  EXPECT_EQ(survey.speed_boards[0].packed[1], 2727);
  ASSERT_EQ(survey.direction_boards.size(), 3U);
  EXPECT_EQ(survey.direction_boards[0].cell, 28);
  EXPECT_EQ(survey.direction_boards[0].text, "(DEV.U.)");
  EXPECT_EQ(survey.direction_boards[1].text, "(BIVIO)");
  EXPECT_EQ(survey.direction_boards[2].slot, 300);
  EXPECT_EQ(survey.direction_boards[2].text, "");
}

TEST(LineSurvey, ListsTheStationSlotsBelowTheBoards) {
  ScenarioState state = line_state();
  CellArray& cells = *state.cells;
  state.sim_table[1] = {12, -350, 400, 0, 1, "PRIMA", 0, 0, 0, 0, 0, 0, 0, 0, 0, 32440};
  state.sim_table[2] = {28, 4650, 4950, 4800, 0, "SECONDA", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  cells[7] = cell(CellKind::station_stop, 1);
  // A board text in slot 80; slots 3 to 79 stay cleared.
  cells[28] = cell(CellKind::direction_board, 80);
  state.sim_table[80].name = "(DEV.U.)";

  const LineSurvey survey = survey_line(state, nullptr);
  ASSERT_EQ(survey.stations.size(), 2U);
  EXPECT_EQ(survey.stations[0].name, "PRIMA");
  EXPECT_EQ(survey.stations[0].zone_start, -350);
  EXPECT_EQ(survey.stations[0].time_s, 32440);
  EXPECT_EQ(survey.stations[0].stop_cell, 7);
  EXPECT_EQ(survey.stations[1].slot, 2);
  EXPECT_EQ(survey.stations[1].position, 4800);
  EXPECT_FALSE(survey.stations[1].stop_cell);

  // A cleared slot between two filled ones still counts: stations are the slots from 1 to the
  // last one filled below the boards.
  ScenarioState gap = line_state();
  gap.sim_table[1].name = "A";
  gap.sim_table[3].name = "C";
  EXPECT_EQ(survey_line(gap, nullptr).stations.size(), 3U);
  EXPECT_TRUE(survey_line(line_state(), nullptr).stations.empty());
}

struct SlowdownCase {
  const char* what;
  std::vector<std::pair<std::int32_t, CellKind>> cells;
  std::vector<std::pair<std::optional<std::int32_t>, std::optional<std::int32_t>>> expected;
};

TEST(LineSurvey, PairsEachSlowdownEndWithTheNearestStartBeforeIt) {
  using K = CellKind;
  const std::vector<SlowdownCase> cases = {
      {"one slowdown", {{61, K::slowdown_start}, {65, K::slowdown_end}}, {{61, 65}}},
      {"two in a row",
       {{61, K::slowdown_start},
        {65, K::slowdown_end},
        {90, K::slowdown_start},
        {99, K::slowdown_end}},
       {{61, 65}, {90, 99}}},
      {"a short one inside a long one",
       {{21, K::slowdown_start},
        {41, K::slowdown_start},
        {43, K::slowdown_end},
        {61, K::slowdown_end}},
       {{21, 61}, {41, 43}}},
      {"start and end on one cell end as a start",
       {{50, K::slowdown_start}, {70, K::slowdown_start}, {80, K::slowdown_end}},
       {{50, 50}, {70, 80}}},
      {"an end without a start", {{80, K::slowdown_end}}, {{std::nullopt, 80}}},
  };
  for (const SlowdownCase& c : cases) {
    SCOPED_TRACE(c.what);
    ScenarioState state = line_state();
    for (const auto& [i, kind] : c.cells) (*state.cells)[i] = cell(kind, 60);
    const LineSurvey survey = survey_line(state, nullptr);
    ASSERT_EQ(survey.slowdowns.size(), c.expected.size());
    for (std::size_t k = 0; k < c.expected.size(); ++k) {
      EXPECT_EQ(survey.slowdowns[k].start_cell, c.expected[k].first);
      EXPECT_EQ(survey.slowdowns[k].end_cell, c.expected[k].second);
      EXPECT_EQ(survey.slowdowns[k].speed, 60);
    }
  }
}

TEST(LineSurvey, FindsASlowdownsWarningAndApproachCells) {
  // At 4800 m, 60 km/h, 400 m long: start 97, end 105, warning 73, approach 72 down to 69.
  ScenarioState state = line_state();
  CellArray& cells = *state.cells;
  cells[97] = cell(CellKind::slowdown_start, 60, 0, 1);
  cells[105] = cell(CellKind::slowdown_end, 60, 0, 1);
  cells[73] = cell(CellKind::slowdown_warning, 60);
  for (std::int16_t j = 0; j < 4; ++j) cells[72 - j] = cell(CellKind::slowdown_approach, j + 1);

  const LineSurvey survey = survey_line(state, nullptr);
  ASSERT_EQ(survey.slowdowns.size(), 1U);
  EXPECT_EQ(survey.slowdowns[0].warning_cell, 73);
  EXPECT_EQ(survey.slowdowns[0].approach_cells, 4);
  EXPECT_EQ(survey.slowdowns[0].f_tt, 1);
}

TEST(LineSurvey, TellsTheTrainFilesCodeChangesFromThoseOfThePlacement) {
  ScenarioState state = line_state();
  CellArray before = *state.cells;
  before[20] = cell(CellKind::code_change, 200);
  before[29] = cell(CellKind::code_change, 200);
  before[35] = cell(CellKind::code_cut);
  before[50] = cell(CellKind::mountain_mark);  // free: the placement may take it
  CellArray& after = *state.cells;
  after[20] = cell(CellKind::code_change, 200);
  after[29] = cell(CellKind::code_change, 180);  // capped by the placement
  after[35] = cell(CellKind::code_cut);
  after[43] = cell(CellKind::code_change, 180);
  after[50] = cell(CellKind::code_change, 180);

  struct Expected {
    std::int32_t cell;
    CodeOrigin origin;
    std::int16_t value;
    std::optional<std::int16_t> from_train_file;
    bool cut;
  };
  const std::vector<Expected> expected = {
      {20, CodeOrigin::train_file, 200, std::nullopt, false},
      {29, CodeOrigin::train_file, 180, 200, false},
      {35, CodeOrigin::train_file, 0, std::nullopt, true},
      {43, CodeOrigin::placement_pass, 180, std::nullopt, false},
      {50, CodeOrigin::placement_pass, 180, std::nullopt, false},
  };
  const LineSurvey survey = survey_line(state, &before);
  ASSERT_EQ(survey.code_changes.size(), expected.size());
  for (std::size_t k = 0; k < expected.size(); ++k) {
    SCOPED_TRACE(expected[k].cell);
    const CodeChangeMark& mark = survey.code_changes[k];
    EXPECT_EQ(mark.cell, expected[k].cell);
    EXPECT_EQ(mark.origin, expected[k].origin);
    EXPECT_EQ(mark.value, expected[k].value);
    EXPECT_EQ(mark.value_from_train_file, expected[k].from_train_file);
    EXPECT_EQ(mark.cut, expected[k].cut);
  }

  for (const CodeChangeMark& mark : survey_line(state, nullptr).code_changes) {
    EXPECT_EQ(mark.origin, CodeOrigin::unknown);
  }
}

TEST(LineSurvey, ReadsStretchesOfSpeedGradientAndMountains) {
  ScenarioState state = line_state();
  CellArray& cells = *state.cells;
  for (std::int32_t i = 60; i <= 197; ++i) cells[i].speed_limit = 18;  // 90 km/h from 3000 m
  for (std::int32_t i = 10; i < 50; ++i) cells[i].gradient = 112;      // +12 from 500 m
  for (std::int32_t i = 50; i <= 197; ++i) cells[i].gradient = 92;     // -8 from 2500 m
  for (std::int32_t i = 80; i <= 91; ++i) cells[i].mountain_type = 2;  // 4000 to 4600 m
  for (std::int32_t i = 92; i <= 95; ++i) cells[i].mountain_type = 3;  // then another type

  const LineSurvey survey = survey_line(state, nullptr);
  const auto expect_stretches = [](const std::vector<Stretch>& got,
                                   const std::vector<Stretch>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t k = 0; k < want.size(); ++k) {
      SCOPED_TRACE(k);
      EXPECT_EQ(got[k].from_m, want[k].from_m);
      EXPECT_EQ(got[k].to_m, want[k].to_m);
      EXPECT_EQ(got[k].value, want[k].value);
    }
  };
  // Cells 198 to 200 are left out: the fills stop at n - 3.
  expect_stretches(survey.speed_limit, {{0, 3000, 30}, {3000, 9900, 90}});
  expect_stretches(survey.gradient, {{0, 500, 0}, {500, 2500, 12}, {2500, 9900, -8}});
  expect_stretches(survey.mountains, {{4000, 4600, 2}, {4600, 4800, 3}});
  EXPECT_EQ(survey.last_filled_cell, 197);
}

TEST(LineSurvey, ReadsTheCabSignalStretch) {
  ScenarioState state = line_state();
  state.sim_table[kTrainSlot].zone_start = 0;
  state.sim_table[kTrainSlot].zone_end = 8050;
  state.sim_table[kTrainSlot].position = 9;
  const LineSurvey survey = survey_line(state, nullptr);
  EXPECT_EQ(survey.cab_signalling.start, 0);
  EXPECT_EQ(survey.cab_signalling.end, 8050);
  EXPECT_EQ(survey.cab_signalling.system, 9);
}

}  // namespace
}  // namespace scenario::report
