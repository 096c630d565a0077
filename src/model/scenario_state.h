#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "model/cell_array.h"
#include "model/failure_code.h"
#include "model/line_profile.h"
#include "model/recorded_failure.h"
#include "model/sim_table.h"
#include "model/text_file.h"

namespace scenario {

inline constexpr int kMountainCapacity = 80;  // mountains 1 to 80; entry 0 is never used

// Everything one run shares, from start to end. Text is held as the single-byte characters of
// the text files; the tables are written to the binary files at the end of the run.
struct ScenarioState {
  std::optional<LineProfile> line_profile;  // exists only when profile_flag is not 0
  std::optional<CellArray> cells;           // created by the route parse
  SimTable sim_table{};
  std::array<std::int32_t, kMountainCapacity + 1> mountain_start{};
  std::array<std::int32_t, kMountainCapacity + 1> mountain_end{};
  std::int32_t mountain_count = 0;
  std::int32_t profile_flag = 0;
  std::string line_name;
  std::string train_number;
  std::string text_line;  // the field the parser read last
  std::int32_t route_span = 0;
  RecordedFailure failure;  // `error_code` and `error_position`, with where the failure was found
};

// Records failure `code`, replacing any earlier one, found in `source` at `line` (none and 0 when
// it has neither). A code that carries a position (error_meanings.h) is recorded with one, which
// becomes error_position; the others leave error_position as an earlier failure left it. Calling
// the form that does not match the code is a fault of the program: it throws std::logic_error.
void record_failure(ScenarioState& state, FailureCode code, std::int32_t position,
                    TextFile source = TextFile::none, std::int32_t line = 0);
void record_failure(ScenarioState& state, FailureCode code, TextFile source = TextFile::none,
                    std::int32_t line = 0);

}  // namespace scenario
