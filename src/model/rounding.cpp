#include "model/rounding.h"

namespace scenario {

double round_half_even(double x) {
  if (!std::isfinite(x)) return x;
  const double below = std::floor(x);
  const double fraction = x - below;
  if (fraction < 0.5) return below;
  if (fraction > 0.5) return below + 1.0;
  // Exactly half way: keep the even neighbour.
  return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

}  // namespace scenario
