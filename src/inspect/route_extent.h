#pragma once

#include <cstdint>

namespace scenario::inspect {

// How far the cells and the line profile of a compiled set reach, from the route length in
// slot 84 zone_end: the cells and the profile run 7000 m beyond the end of the line. The files
// carry no counts of their own, so these are the counts every reader of them works with.
struct RouteExtent {
  std::int32_t route_length = 0;
  std::int64_t last_row = 0;   // M = route length + 7000: profile rows 0 to M
  std::int64_t last_cell = 0;  // n = (route length + 7000) / 50, halves to even: cells 0 to n

  // Records in each file; none when the route length is so negative that the last index is.
  std::int64_t profile_elements() const { return last_row < 0 ? 0 : 2 * (last_row + 1); }
  std::int64_t cell_count() const { return last_cell < 0 ? 0 : last_cell + 1; }
};

// Computed in 64 bits, so any 32-bit length a damaged file holds gives its counts.
RouteExtent route_extent(std::int32_t route_length);

// The route length the compiler accepts: 0 to 1000000 m. A set written by the project never
// holds another.
bool is_compiled_route_length(std::int32_t route_length);

}  // namespace scenario::inspect
