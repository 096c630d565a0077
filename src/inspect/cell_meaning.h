#pragma once

#include <cstdint>
#include <string>

#include "model/sim_table.h"
#include "model/track_cell.h"

namespace scenario::inspect {

// The numbers a signal cell was built from: value1 to value3 are s1 x 10 + d1, s2 x 10 + d2,
// s3 x 10 + d3, and value4 is rapp x 10 + sx x 3 + dx, with d1 to d3 from 0 to 9 and sx, dx
// from 0 to 2.
struct SignalAspects {
  std::int32_t s1 = 0, d1 = 0, s2 = 0, d2 = 0, s3 = 0, d3 = 0;
  std::int32_t rapp = 0, sx = 0, dx = 0;
};
SignalAspects signal_aspects(const TrackCell& cell);

// The two boards of a maximum-speed pair: value1 to value3 pack speeds A, B and C as
// first / 5 x 100 + second / 5 (speeds that are multiples of 5 up to 495), value4 the stripe
// counts as first x 10 + second.
struct BoardPair {
  std::int32_t first_a = 0, first_b = 0, first_c = 0, first_stripes = 0;
  std::int32_t second_a = 0, second_b = 0, second_c = 0, second_stripes = 0;
};
BoardPair board_pair(const TrackCell& cell);

// The cell's object and values as the system built them, for a reader: the kind (with the
// position it stands for, for the objects placed one cell past it), the kind's own values
// decoded (a signal's aspects, a board pair's speeds, the name of a station or a direction
// board from `table` when there is one), then every other field that is not 0, then the
// stretch values. Cell 1's reserved values are named as the marker and the OG code.
std::string describe_cell(const TrackCell& cell, std::int64_t index, const SimTable* table);

// True when the cell holds something a reader looks for: an object, a value, a mark or a
// mountain, or stretch values that differ from those of the cell before (`previous`).
bool holds_something(const TrackCell& cell, const TrackCell& previous);

// Seconds as hh:mm:ss ("09:00:40"), hours running past 24 when they must; a minus sign first
// for a negative time.
std::string clock_text(std::int32_t seconds);

}  // namespace scenario::inspect
