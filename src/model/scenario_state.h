#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "model/cell_array.h"
#include "model/line_profile.h"
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
  std::int32_t error_code = 0;
  std::int32_t error_position = 0;

  // Where the last recorded failure was found, for diagnostics. Never written to any file.
  TextFile error_source = TextFile::none;
  std::int32_t error_line = 0;  // 0 when the failure has no line of its own
  std::string error_detail;     // what the reader objected to, for a read fault
};

// Records failure `code` with its position, replacing any earlier one.
void record_failure(ScenarioState& state, std::int32_t code, std::int32_t position,
                    TextFile source = TextFile::none, std::int32_t line = 0);
// Records failure `code` for the codes that leave error_position as it was.
void record_failure_keeping_position(ScenarioState& state, std::int32_t code,
                                     TextFile source = TextFile::none, std::int32_t line = 0);

}  // namespace scenario
