#include <unistd.h>

#include <iostream>

#include "check_cli/terminal.h"

namespace scenario::tool {

bool is_terminal(const std::ostream& stream) {
  if (&stream == &std::cout) return ::isatty(STDOUT_FILENO) == 1;
  if (&stream == &std::cerr) return ::isatty(STDERR_FILENO) == 1;
  return false;
}

}  // namespace scenario::tool
