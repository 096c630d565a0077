#pragma once

#include <cstdint>

namespace scenario {

// A value laid into the cells stretch by stretch (a gradient, a speed limit, an adhesion): the
// cells before `fill` hold theirs, and `current` is the value in force from `fill` on, up to the
// start of the next stretch.
struct FillCursor {
  std::int32_t fill = 0;
  std::int32_t current = 0;
};

}  // namespace scenario
