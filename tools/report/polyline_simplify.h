#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "plan_frame.h"

namespace scenario::report {

// The points of `line` to keep so that the polyline through them stays within `tolerance` of
// every point left out: indices in ascending order, the first and the last point always among
// them (one index for a single point, none for an empty line). Each point left out lies within
// `tolerance` of the segment joining the two kept points on either side of it. Ramer, Douglas
// and Peucker's splitting, run with an explicit stack so that a line of a million points needs
// no deep recursion.
std::vector<std::size_t> simplify_polyline(std::span<const PixelPoint> line, double tolerance);

// Distance from `p` to the segment from `a` to `b` (to `a` when the two coincide).
double distance_to_segment(PixelPoint p, PixelPoint a, PixelPoint b);

}  // namespace scenario::report
