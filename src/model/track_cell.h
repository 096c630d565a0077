#pragma once

#include <cstdint>

namespace scenario {

// What occupies a 50 m cell of the line. The numbers are those the simulator reads.
enum class CellKind : std::uint8_t {
  empty = 0,
  signal = 1,
  slowdown_end = 2,
  slowdown_start = 3,
  slowdown_warning = 4,
  slowdown_approach = 5,
  speed_boards = 6,
  station_stop = 10,
  mountain_mark = 11,
  code_change = 12,
  code_cut = 13,
  direction_board = 14,
};

// One 50 m cell; fields in the order and widths of the cell file.
struct TrackCell {
  CellKind kind = CellKind::empty;
  std::int16_t value1 = 0;
  std::int16_t value2 = 0;
  std::int16_t value3 = 0;
  std::int16_t value4 = 0;
  std::uint8_t signal_time = 0;
  std::uint8_t marker = 0;
  std::uint8_t mountain_type = 0;
  std::uint8_t speed_limit = 0;
  std::uint8_t gradient = 0;
  std::uint8_t adhesion = 0;

  // Objects may only be placed on a free cell; a mountain mark gives way to them.
  bool is_free() const { return kind == CellKind::empty || kind == CellKind::mountain_mark; }

  bool operator==(const TrackCell&) const = default;
};

}  // namespace scenario
