#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "memory_folder/memory_folder.h"
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
    context.folder = &folder;
    context.train_name = "line_train-.txt";
  }

  // Writes `text` as the train file and runs the train half on it.
  void run(std::string_view text) {
    folder.put(context.train_name, std::string(text));
    train_half(state, context);
  }

  bool train_file_exists() const { return folder.file(context.train_name).has_value(); }
  TrackCell& cell(std::int64_t i) { return (*state.cells)[i]; }
  SimSlot& slot(int s) { return state.sim_table[static_cast<std::size_t>(s)]; }

  MemoryFolder folder;
  ScenarioState state;
  ParseContext context;
};

}  // namespace scenario::testing
