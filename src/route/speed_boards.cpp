#include "route/speed_boards.h"

#include <string>

#include "model/rounding.h"
#include "parse/cell_access.h"
#include "parse/read_failure.h"
#include "parse/read_fault.h"

namespace scenario {

namespace {

// The first board's speed in the hundreds, the second's in the last two digits: the division in
// floating point, the product in integers (64 bits, so it cannot overflow), the sum in floating
// point.
std::int16_t packed_speeds(std::int32_t first, std::int32_t second) {
  const double packed = second / 5.0 + static_cast<double>(static_cast<std::int64_t>(first) * 20);
  const auto value = round_to<std::int16_t>(packed);
  if (!value) {
    throw ReadFault("the speeds " + std::to_string(first) + " and " + std::to_string(second) +
                        " do not fit a board's 16-bit value",
                    0);
  }
  return *value;
}

std::int16_t packed_stripes(std::int32_t strisces, std::int32_t strisced) {
  return low_16(static_cast<std::int64_t>(low_16(strisces)) * 10 + low_16(strisced));
}

}  // namespace

void memo_indicatori_v_max(ScenarioState& state, const ParseContext& context,
                           std::int32_t posizione, const SpeedBoardPair& boards) {
  TrackCell& cell = cell_at(state, cell_index(posizione / 50.0 + 1));
  if (!cell.is_free()) {
    record_read_failure(state, context, FailureCode::speed_boards_on_taken_cell, posizione);
    return;
  }
  cell.kind = CellKind::speed_boards;
  cell.value1 = packed_speeds(boards.vas, boards.vad);
  cell.value2 = packed_speeds(boards.vbs, boards.vbd);
  cell.value3 = packed_speeds(boards.vcs, boards.vcd);
  cell.value4 = packed_stripes(boards.strisces, boards.strisced);
}

}  // namespace scenario
