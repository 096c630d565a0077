#include <io.h>

#include <cstdio>
#include <iostream>

#include "check_cli/terminal.h"

namespace scenario::tool {

bool is_terminal(const std::ostream& stream) {
  if (&stream == &std::cout) return _isatty(_fileno(stdout)) != 0;
  if (&stream == &std::cerr) return _isatty(_fileno(stderr)) != 0;
  return false;
}

}  // namespace scenario::tool
