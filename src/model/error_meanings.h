#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace scenario {

// What a failure code of the compile means, in one line, for the people who write scenarios.
// `has_position` says whether the code records a position of its own in error_position; for the
// others error_position holds whatever an earlier failure left there.
struct ErrorMeaning {
  std::int32_t code;
  std::string_view meaning;
  bool has_position;
};

// Every code the compile can record or show, in increasing order.
std::span<const ErrorMeaning> error_meanings();

// The meaning of `code`; "unknown error" for a code the system never records.
std::string_view error_meaning(std::int32_t code);

// True when `code` records the position of the failing record in error_position.
bool error_has_position(std::int32_t code);

}  // namespace scenario
