#pragma once

#include <cstdint>
#include <filesystem>

#include "model/scenario_state.h"
#include "model/sim_table.h"

namespace scenario {

// Working values one call of the parse shares between its route and train halves.
struct ParseContext {
  std::filesystem::path route_path;
  std::filesystem::path train_path;
  // The scenario-table slot the next direction board takes; the boards fill slots 80 downward
  // and the stations must stay below them.
  std::int32_t next_board_slot = kFirstBoardSlot;
  // The text file being read, so that a read fault can name it.
  ErrorSource reading = ErrorSource::none;
  // Line where the record being handled began; names the line of a failure the reader itself
  // did not see (a table access out of bounds).
  std::int32_t record_line = 0;
};

}  // namespace scenario
