#include "inspect/kind_names.h"

#include <array>
#include <utility>

#include "model/track_cell.h"

namespace scenario::inspect {

namespace {

constexpr std::uint8_t code_of(CellKind kind) { return static_cast<std::uint8_t>(kind); }

constexpr std::array<std::pair<std::uint8_t, std::string_view>, 12> kKinds = {{
    {code_of(CellKind::empty), "empty"},
    {code_of(CellKind::signal), "signal"},
    {code_of(CellKind::slowdown_end), "slowdown_end"},
    {code_of(CellKind::slowdown_start), "slowdown_start"},
    {code_of(CellKind::slowdown_warning), "slowdown_warning"},
    {code_of(CellKind::slowdown_approach), "slowdown_approach"},
    {code_of(CellKind::speed_boards), "speed_boards"},
    {code_of(CellKind::station_stop), "station_stop"},
    {code_of(CellKind::mountain_mark), "mountain_mark"},
    {code_of(CellKind::code_change), "code_change"},
    {code_of(CellKind::code_cut), "code_cut"},
    {code_of(CellKind::direction_board), "direction_board"},
}};

}  // namespace

std::optional<std::string_view> kind_name(std::uint8_t code) {
  for (const auto& [known, name] : kKinds) {
    if (known == code) return name;
  }
  return std::nullopt;
}

std::optional<std::uint8_t> kind_code(std::string_view name) {
  for (const auto& [code, known] : kKinds) {
    if (known == name) return code;
  }
  return std::nullopt;
}

}  // namespace scenario::inspect
