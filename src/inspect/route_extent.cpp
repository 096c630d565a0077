#include "inspect/route_extent.h"

#include "model/rounding.h"

namespace scenario::inspect {

namespace {
constexpr std::int64_t kBeyondTheEnd = 7000;
constexpr double kCellMetres = 50.0;
constexpr std::int32_t kLongestRoute = 1000000;
}  // namespace

RouteExtent route_extent(std::int32_t route_length) {
  RouteExtent extent;
  extent.route_length = route_length;
  extent.last_row = static_cast<std::int64_t>(route_length) + kBeyondTheEnd;
  // Every 32-bit length gives a quotient far inside the 64-bit range.
  extent.last_cell =
      round_to<std::int64_t>(static_cast<double>(extent.last_row) / kCellMetres).value_or(0);
  return extent;
}

bool is_compiled_route_length(std::int32_t route_length) {
  return route_length >= 0 && route_length <= kLongestRoute;
}

}  // namespace scenario::inspect
