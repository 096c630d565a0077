#pragma once

#include <cmath>
#include <concepts>
#include <cstdint>
#include <limits>
#include <optional>

namespace scenario {

// The one real-to-integer conversion of the program: nearest integer, halves to the even
// neighbour (26.5 -> 26, 27.5 -> 28, -0.5 -> 0). The result is an integral-valued double, so it
// is defined for every finite input; NaN and infinities come back unchanged.
double round_half_even(double x);

// Rounds as above and checks that the result fits T. Returns nothing for a value outside T's
// range (or not finite): callers decide whether that is a read fault or a wrap.
template <std::integral T>
std::optional<T> round_to(double x) {
  const double r = round_half_even(x);
  if (!std::isfinite(r)) return std::nullopt;
  if (r < static_cast<double>(std::numeric_limits<T>::min()) ||
      r > static_cast<double>(std::numeric_limits<T>::max())) {
    return std::nullopt;
  }
  return static_cast<T>(r);
}

// Low bits of a value stored into a narrower field, the way the files keep it: two's complement
// truncation, defined for every input.
inline std::uint8_t low_byte(std::int64_t v) { return static_cast<std::uint8_t>(v & 0xFF); }
inline std::int16_t low_16(std::int64_t v) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(v & 0xFFFF));
}

}  // namespace scenario
