#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace scenario {

// The next character of well-formed UTF-8 in `text` from `at` (which must be before its end),
// moving `at` past it; nothing, with `at` unmoved, for bytes that are not the shortest form of
// one character (a stray continuation byte, a sequence cut short, an overlong form, a surrogate
// or a value beyond U+10FFFF).
std::optional<char32_t> next_utf8_character(std::string_view text, std::size_t& at);

// Appends character `c` (at most U+10FFFF) to `out` as UTF-8.
void append_utf8(std::string& out, char32_t c);

// `text` with every byte that is not part of a well-formed UTF-8 character replaced by U+FFFD,
// for output that must be valid UTF-8 whatever a file name holds.
std::string valid_utf8(std::string_view text);

}  // namespace scenario
