#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/track_cell.h"

namespace scenario {

// Cells 0 to n of the line, cell i standing for position i * 50 m. Created whole by the route
// parse; indices are signed because positions in the text files are.
class CellArray {
 public:
  explicit CellArray(std::int32_t last_index) : cells_(static_cast<std::size_t>(last_index) + 1) {}

  // n, the last valid index.
  std::int32_t last_index() const { return static_cast<std::int32_t>(cells_.size()) - 1; }
  bool contains(std::int64_t i) const {
    return i >= 0 && i < static_cast<std::int64_t>(cells_.size());
  }

  // Callers check contains() first; out-of-range access is a programming error.
  TrackCell& operator[](std::int64_t i) { return cells_[static_cast<std::size_t>(i)]; }
  const TrackCell& operator[](std::int64_t i) const { return cells_[static_cast<std::size_t>(i)]; }

  const std::vector<TrackCell>& all() const { return cells_; }

 private:
  std::vector<TrackCell> cells_;
};

}  // namespace scenario
