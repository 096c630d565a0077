#include <cstdlib>

#include "check_cli/terminal.h"

namespace scenario::tool {

bool colour_by_default(const std::ostream& stream) {
  const char* no_color = std::getenv("NO_COLOR");
  return is_terminal(stream) && (no_color == nullptr || *no_color == '\0');
}

}  // namespace scenario::tool
