#pragma once

#include <cstdint>

namespace scenario {

// The two scenario text files the compile reads; `none` where no file is meant (a failure found
// after both were read).
enum class TextFile : std::uint8_t { none, route, train };

}  // namespace scenario
