#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace scenario::inspect {

// The system's name of a cell kind code (`signal`, `code_change`, ...); nothing for a code no
// object uses.
std::optional<std::string_view> kind_name(std::uint8_t code);

// The code of a kind named as kind_name() names it.
std::optional<std::uint8_t> kind_code(std::string_view name);

}  // namespace scenario::inspect
