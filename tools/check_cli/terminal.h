#pragma once

#include <ostream>

namespace scenario::tool {

// True when `stream` is the process's standard output or standard error and that is a
// terminal; false for any other stream.
bool is_terminal(const std::ostream& stream);

// Whether a report on `stream` is coloured when nothing is asked: on a terminal, unless the
// environment variable NO_COLOR is set to anything but the empty text.
bool colour_by_default(const std::ostream& stream);

}  // namespace scenario::tool
