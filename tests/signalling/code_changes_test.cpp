#include "signalling/code_changes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

namespace scenario {
namespace {

using Kind = CellKind;

// An object of the line on one cell, as the parse leaves it.
struct Mark {
  std::int32_t cell;
  CellKind kind;
  std::int16_t value1 = 0;
};

using CodeChanges = std::vector<std::pair<std::int32_t, std::int16_t>>;

ScenarioState line_with(std::int32_t last_index, const std::vector<Mark>& marks) {
  ScenarioState state;
  state.cells.emplace(last_index);
  for (const Mark& m : marks) {
    (*state.cells)[m.cell].kind = m.kind;
    (*state.cells)[m.cell].value1 = m.value1;
  }
  return state;
}

// Every code change from cell `from` on, with its value.
CodeChanges code_changes(const ScenarioState& state, std::int32_t from = 0) {
  CodeChanges found;
  for (std::int32_t i = from; i <= state.cells->last_index(); ++i) {
    const TrackCell& cell = (*state.cells)[i];
    if (cell.kind == Kind::code_change) found.emplace_back(i, cell.value1);
  }
  return found;
}

// Code changes placed by the pass all carry 180.
CodeChanges placed_at(const std::vector<std::int32_t>& cells) {
  CodeChanges expected;
  for (const std::int32_t i : cells) expected.emplace_back(i, 180);
  return expected;
}

TEST(Minimo, GivesTheSmallerAndTheFirstWhenEqual) {
  EXPECT_EQ(minimo(180, 200), 180);
  EXPECT_EQ(minimo(180, 120), 120);
  EXPECT_EQ(minimo(180, -5), -5);
  EXPECT_EQ(minimo(7, 7), 7);
}

// Signal at 20, warning at 26, a slowdown at speed 60 from 50 to 62 and a signal at 66.
TEST(CodeChangePass, PlacesEveryCodeChangeOfAShortLine) {
  ScenarioState state = line_with(80, {{20, Kind::signal},
                                       {26, Kind::slowdown_warning, 60},
                                       {50, Kind::slowdown_start, 60},
                                       {62, Kind::slowdown_end, 60},
                                       {66, Kind::signal}});
  place_code_changes(state);
  // 19 for the signal before the warning; 45, 39 and 32 on the approach; 58 eight cells into
  // the slowdown (the end comes four cells later); 65 for the signal after the end.
  EXPECT_EQ(code_changes(state), placed_at({19, 32, 39, 45, 58, 65}));
  EXPECT_EQ(state.failure.number(), 0);
  EXPECT_EQ(state.failure.error_position, 0);
}

TEST(CodeChangePass, LeavesALineWithoutCellsOrTooShortToVisit) {
  ScenarioState no_cells;
  place_code_changes(no_cells);
  EXPECT_FALSE(no_cells.cells.has_value());
  EXPECT_EQ(no_cells.failure.number(), 0);

  for (const std::int32_t n : {0, 1, 2}) {
    SCOPED_TRACE(n);
    ScenarioState state = line_with(n, {});
    for (std::int32_t i = 0; i <= n; ++i) (*state.cells)[i].kind = Kind::slowdown_start;
    const CellArray before = *state.cells;
    place_code_changes(state);
    EXPECT_EQ(state.cells->all(), before.all());
    EXPECT_EQ(state.failure.number(), 0);
  }
}

TEST(CodeChangePass, VisitsNoCellPastTheOneBeforeTheLast) {
  // A signal 4 cells before a warning asks for a code change on the cell before the signal.
  struct Case {
    std::int32_t warning;
    CodeChanges expected;
  };
  const Case cases[] = {{38, placed_at({33})}, {39, {}}, {40, {}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.warning);
    ScenarioState state =
        line_with(40, {{c.warning - 4, Kind::signal}, {c.warning, Kind::slowdown_warning}});
    place_code_changes(state);
    EXPECT_EQ(code_changes(state), c.expected);
  }
}

TEST(CodeChangePass, MarksTheSignalsWithinTwentyCellsBeforeAWarning) {
  struct Case {
    const char* name;
    std::int32_t warning;
    std::vector<std::int32_t> signals;
    std::vector<std::int32_t> occupied;  // by a station stop
    CodeChanges expected;
  };
  const Case cases[] = {
      {"warning at 3 looks at nothing", 3, {2}, {}, {}},
      {"warning at 5 looks back to cell 3", 5, {3}, {}, placed_at({2})},
      {"cell 2 is never looked at", 5, {2}, {}, {}},
      {"on cell 1 when cell 2 is taken", 5, {3}, {2}, placed_at({1})},
      {"twenty cells back", 30, {10}, {}, placed_at({9})},
      {"twenty-one cells back is too far", 30, {9}, {}, {}},
      {"every signal gets its own", 30, {15, 20, 28}, {}, placed_at({14, 19, 27})},
      {"a signal after the warning is not its concern", 30, {32}, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<Mark> marks{{c.warning, Kind::slowdown_warning}};
    for (const std::int32_t s : c.signals) marks.push_back({s, Kind::signal});
    for (const std::int32_t o : c.occupied) marks.push_back({o, Kind::station_stop});
    ScenarioState state = line_with(60, marks);
    place_code_changes(state);
    EXPECT_EQ(code_changes(state), c.expected);
    EXPECT_EQ(state.failure.number(), 0);
  }
}

TEST(CodeChangePass, PrefersAFreeCellBeforeASignalToCappingACodeChange) {
  // Signal at 20 before the warning at 26; the table sets the two cells before it.
  struct Case {
    const char* name;
    Mark before;      // cell 19
    Mark two_before;  // cell 18
    CodeChanges expected;
    std::int32_t error_code;
    std::int32_t error_position;
  };
  const Case cases[] = {
      {"cell before free", {19, Kind::empty}, {18, Kind::empty}, placed_at({19}), 0, 0},
      {"mountain mark gives way",
       {19, Kind::mountain_mark},
       {18, Kind::empty},
       placed_at({19}),
       0,
       0},
      {"two before when the one before is taken",
       {19, Kind::direction_board},
       {18, Kind::empty},
       placed_at({18}),
       0,
       0},
      {"free two before wins over a code change",
       {19, Kind::code_change, 200},
       {18, Kind::empty},
       {{18, 180}, {19, 200}},
       0,
       0},
      {"200 is capped", {19, Kind::code_change, 200}, {18, Kind::speed_boards}, {{19, 180}}, 0, 0},
      {"120 is kept", {19, Kind::code_change, 120}, {18, Kind::speed_boards}, {{19, 120}}, 0, 0},
      {"code change two before is capped",
       {19, Kind::speed_boards},
       {18, Kind::code_change, 300},
       {{18, 180}},
       0,
       0},
      {"the nearer code change is capped, the other not",
       {19, Kind::code_change, 250},
       {18, Kind::code_change, 300},
       {{18, 300}, {19, 180}},
       0,
       0},
      {"no room", {19, Kind::speed_boards}, {18, Kind::code_cut}, {}, 11, 1000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScenarioState state =
        line_with(40, {c.before, c.two_before, {20, Kind::signal}, {26, Kind::slowdown_warning}});
    place_code_changes(state);
    EXPECT_EQ(code_changes(state), c.expected);
    EXPECT_EQ(state.failure.number(), c.error_code);
    EXPECT_EQ(state.failure.error_position, c.error_position);
  }
}

TEST(CodeChangePass, PlacesOneCodeChangeInEachApproachWindowThatFits) {
  // A fast slowdown, so only the approach is marked.
  struct Case {
    std::int32_t start;
    std::vector<std::int32_t> occupied;
    CodeChanges expected;
    std::int32_t error_code;
    std::int32_t error_position;
  };
  const Case cases[] = {
      {7, {}, {}, 0, 0},
      {8, {}, placed_at({3}), 0, 0},
      {8, {3, 2}, placed_at({1}), 0, 0},
      {13, {}, placed_at({8}), 0, 0},
      {14, {}, placed_at({3, 9}), 0, 0},
      {20, {}, placed_at({9, 15}), 0, 0},
      {21, {}, placed_at({3, 10, 16}), 0, 0},
      // Nearest to the start first, then further back.
      {40, {35}, placed_at({22, 29, 34}), 0, 0},
      {40, {35, 34, 29, 28}, placed_at({22, 27, 33}), 0, 0},
      // A full window fails alone; the others are still marked.
      {40, {35, 34, 33}, placed_at({22, 29}), 12, 2000},
      {40, {20, 21, 22, 28}, placed_at({29, 35}), 12, 2000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "start " << c.start << ", occupied " << ::testing::PrintToString(c.occupied));
    std::vector<Mark> marks{{c.start, Kind::slowdown_start, 150},
                            {c.start + 2, Kind::slowdown_end}};
    for (const std::int32_t o : c.occupied) marks.push_back({o, Kind::station_stop});
    ScenarioState state = line_with(60, marks);
    place_code_changes(state);
    EXPECT_EQ(code_changes(state), c.expected);
    EXPECT_EQ(state.failure.number(), c.error_code);
    EXPECT_EQ(state.failure.error_position, c.error_position);
  }
}

TEST(CodeChangePass, AnExistingCodeChangeFillsNoApproachWindow) {
  ScenarioState state = line_with(60, {{35, Kind::code_change, 200},
                                       {34, Kind::code_change, 200},
                                       {33, Kind::code_change, 100},
                                       {40, Kind::slowdown_start, 150}});
  place_code_changes(state);
  EXPECT_EQ(code_changes(state),
            (CodeChanges{{22, 180}, {29, 180}, {33, 100}, {34, 200}, {35, 200}}));
  EXPECT_EQ(state.failure.number(), 12);
  EXPECT_EQ(state.failure.error_position, 2000);
}

// Slowdowns start at 30, so the approach windows take 25, 19 and 12; the cases look from the
// start on.
TEST(CodeChangePass, SpacesCodeChangesEightCellsApartThroughASlowSlowdown) {
  struct Case {
    const char* name;
    std::int16_t speed;
    std::int32_t end;
    std::vector<std::int32_t> occupied;
    CodeChanges expected;
    std::int32_t error_code;
    std::int32_t error_position;
  };
  const Case cases[] = {
      {"110 is not slow", 110, 50, {}, {}, 0, 0},
      {"speed 100 over 20 cells", 100, 50, {}, placed_at({38, 46}), 0, 0},
      {"a negative speed is slow", -200, 50, {}, placed_at({38, 46}), 0, 0},
      {"taken start + 8 moves the spacing back", 100, 50, {38}, placed_at({37, 45}), 0, 0},
      {"then forward", 100, 50, {38, 37}, placed_at({39, 47}), 0, 0},
      {"the end counts, eight cells after the start", 100, 38, {}, placed_at({37}), 0, 0},
      {"the end counts, sixteen cells after the start", 100, 46, {}, placed_at({38, 45}), 0, 0},
      {"no room stops the spacing", 100, 60, {38, 37, 39}, {}, 13, 1900},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<Mark> marks{{30, Kind::slowdown_start, c.speed}, {c.end, Kind::slowdown_end}};
    for (const std::int32_t o : c.occupied) marks.push_back({o, Kind::station_stop});
    ScenarioState state = line_with(80, marks);
    place_code_changes(state);
    EXPECT_EQ(code_changes(state, 30), c.expected);
    EXPECT_EQ(state.failure.number(), c.error_code);
    EXPECT_EQ(state.failure.error_position, c.error_position);
  }
}

TEST(CodeChangePass, SpacingStopsAtTheLastCellWithoutAnEnd) {
  struct Case {
    const char* name;
    std::int32_t start;
    std::vector<std::int32_t> occupied;
    CodeChanges expected;
    std::int32_t error_code;
    std::int32_t error_position;
  };
  const Case cases[] = {
      {"placed up to the last cell", 62, {}, placed_at({70, 78}), 0, 0},
      {"on the last cell", 64, {}, placed_at({72, 80}), 0, 0},
      {"nothing past the last cell", 64, {80, 79}, placed_at({72}), 13, 4000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<Mark> marks{{c.start, Kind::slowdown_start, 60}};
    for (const std::int32_t o : c.occupied) marks.push_back({o, Kind::station_stop});
    ScenarioState state = line_with(80, marks);
    place_code_changes(state);
    EXPECT_EQ(code_changes(state, c.start), c.expected);
    EXPECT_EQ(state.failure.number(), c.error_code);
    EXPECT_EQ(state.failure.error_position, c.error_position);
  }
}

// A slowdown at speed 60 from 30 to 36, too short for a spaced code change.
TEST(CodeChangePass, MarksTheFirstSignalWithinTwelveCellsAfterTheEnd) {
  struct Case {
    const char* name;
    std::vector<std::int32_t> signals;
    std::vector<std::int32_t> occupied;
    CodeChanges expected;
    std::int32_t error_code;
    std::int32_t error_position;
  };
  const Case cases[] = {
      {"no signal", {}, {}, {}, 0, 0},
      {"twelve cells after", {48}, {}, placed_at({47}), 0, 0},
      {"thirteen cells after is too far", {49}, {}, {}, 0, 0},
      {"only the first signal", {40, 45}, {}, placed_at({39}), 0, 0},
      {"the cell before that", {40}, {39}, placed_at({38}), 0, 0},
      {"right after the end goes before the end", {37}, {}, placed_at({35}), 0, 0},
      {"no room is charged to the end", {40, 45}, {39, 38}, {}, 13, 1800},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<Mark> marks{{30, Kind::slowdown_start, 60}, {36, Kind::slowdown_end}};
    for (const std::int32_t s : c.signals) marks.push_back({s, Kind::signal});
    for (const std::int32_t o : c.occupied) marks.push_back({o, Kind::station_stop});
    ScenarioState state = line_with(80, marks);
    place_code_changes(state);
    EXPECT_EQ(code_changes(state, 30), c.expected);
    EXPECT_EQ(state.failure.number(), c.error_code);
    EXPECT_EQ(state.failure.error_position, c.error_position);
  }
}

TEST(CodeChangePass, LooksForNoSignalAfterAFastSlowdownOrAWalkWithoutEnd) {
  ScenarioState fast = line_with(
      80, {{30, Kind::slowdown_start, 110}, {36, Kind::slowdown_end}, {40, Kind::signal}});
  place_code_changes(fast);
  EXPECT_EQ(code_changes(fast, 30), CodeChanges{});

  // The search after an end stops at the last cell.
  ScenarioState near_the_end =
      line_with(40, {{33, Kind::slowdown_start, 60}, {38, Kind::slowdown_end}, {40, Kind::signal}});
  place_code_changes(near_the_end);
  EXPECT_EQ(code_changes(near_the_end, 33), placed_at({39}));
}

TEST(CodeChangePass, LaterVisitsSeeEarlierCodeChanges) {
  // The spacing of the first slowdown takes 38, so the second slowdown's nearest approach cell
  // is taken and its code change goes one further back, to 37; its second window takes 32 and
  // its third, finding 25 taken by the first slowdown's approach, 24.
  ScenarioState state = line_with(80, {{30, Kind::slowdown_start, 60},
                                       {40, Kind::slowdown_end},
                                       {43, Kind::slowdown_start, 150},
                                       {45, Kind::slowdown_end}});
  place_code_changes(state);
  EXPECT_EQ(code_changes(state, 30), placed_at({32, 37, 38}));
}

TEST(CodeChangePass, KeepsTheLastFailureAndGoesOn) {
  // Error 11 at the signal at 20, then error 12 at the start at 50, then a code change at 58.
  ScenarioState state = line_with(80, {{19, Kind::station_stop},
                                       {18, Kind::station_stop},
                                       {20, Kind::signal},
                                       {26, Kind::slowdown_warning},
                                       {45, Kind::station_stop},
                                       {44, Kind::station_stop},
                                       {43, Kind::station_stop},
                                       {50, Kind::slowdown_start, 60},
                                       {62, Kind::slowdown_end}});
  place_code_changes(state);
  EXPECT_EQ(state.failure.number(), 12);
  EXPECT_EQ(state.failure.error_position, 2500);
  EXPECT_EQ(code_changes(state, 21), placed_at({32, 39, 58}));
}

}  // namespace
}  // namespace scenario
