#include "inspect/cell_file.h"

#include <limits>
#include <string>

#include "inspect/byte_cursor.h"

namespace scenario::inspect {

namespace {

std::string cells_named(std::uint64_t count) {
  return count == 0 ? std::string("no cells") : "cells 0 to " + std::to_string(count - 1);
}

// Bytes of `count` cells, saturating: a count no file could hold still compares as too large.
std::uint64_t bytes_of(std::uint64_t count) {
  return count <= std::numeric_limits<std::uint64_t>::max() / kCellBytes
             ? count * kCellBytes
             : std::numeric_limits<std::uint64_t>::max();
}

}  // namespace

LayoutResult<std::vector<TrackCell>> read_cell_file(std::string_view bytes, std::string_view file,
                                                    std::int64_t last_cell) {
  const std::uint64_t count = last_cell < 0 ? 0 : static_cast<std::uint64_t>(last_cell) + 1;
  const std::uint64_t expected = bytes_of(count);
  if (bytes.size() < expected) {
    const std::uint64_t whole = bytes.size() / kCellBytes;
    return LayoutFault{std::string(file), bytes.size(),
                       "the file ends inside cell " + std::to_string(whole) + ": " +
                           cells_named(count) + " take " + std::to_string(expected) +
                           " bytes, the file has " + std::to_string(bytes.size())};
  }
  if (bytes.size() > expected) {
    return LayoutFault{std::string(file), expected,
                       bytes_follow(bytes.size() - expected) + " " + cells_named(count) + " (" +
                           std::to_string(expected) + " bytes)"};
  }

  std::vector<TrackCell> cells(static_cast<std::size_t>(count));
  ByteCursor in(bytes);
  for (TrackCell& cell : cells) {
    cell.kind = static_cast<CellKind>(in.u8());
    cell.value1 = in.i16();
    cell.value2 = in.i16();
    cell.value3 = in.i16();
    cell.value4 = in.i16();
    cell.signal_time = in.u8();
    cell.marker = in.u8();
    cell.mountain_type = in.u8();
    cell.speed_limit = in.u8();
    cell.gradient = in.u8();
    cell.adhesion = in.u8();
  }
  return cells;
}

}  // namespace scenario::inspect
