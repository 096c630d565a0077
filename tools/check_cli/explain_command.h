#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace scenario::tool {

// What `scenario explain CODE` prints for a failure code ("16") or a finding code ("W06", "w6"):
// the code and its title, what it means, a small example that gives it and how to mend it.
// Nothing for a code the system does not have.
std::optional<std::string> explain_text(std::string_view code);

}  // namespace scenario::tool
