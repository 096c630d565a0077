#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>

#include "model/scenario_state.h"
#include "parse/parse_context.h"
#include "support/test_support.h"
#include "train/train_parse.h"

namespace scenario::testing {

// The train half on its own, on a state set up as the route half would leave it: cells 0 to N
// and no direction board (the next board would take slot 80).
class TrainParseTest : public ::testing::Test {
 protected:
  // N = 180: a route of 2000 m, whose cells reach 9000 m.
  static constexpr std::int32_t kLastCell = 180;

  TrainParseTest() {
    state.cells.emplace(kLastCell);
    context.train_path = folder / "line_train-.txt";
  }

  // Writes `text` as the train file and runs the train half on it.
  void run(std::string_view text) {
    write_file(context.train_path, text);
    train_half(state, context);
  }

  bool train_file_exists() const { return std::filesystem::exists(context.train_path); }
  TrackCell& cell(std::int64_t i) { return (*state.cells)[i]; }
  SimSlot& slot(int s) { return state.sim_table[static_cast<std::size_t>(s)]; }

  TempFolder folder;
  ScenarioState state;
  ParseContext context;
};

}  // namespace scenario::testing
