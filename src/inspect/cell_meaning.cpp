#include "inspect/cell_meaning.h"

#include <array>
#include <cstdlib>
#include <string_view>

#include "inspect/kind_names.h"
#include "model/code_page_1252.h"

namespace scenario::inspect {

namespace {

constexpr std::int32_t kSpeedStep = 5;
constexpr std::int64_t kCellMetres = 50;

// Objects whose cell is position / 50 + 1.
bool placed_past_position(CellKind kind) {
  switch (kind) {
    case CellKind::signal:
    case CellKind::slowdown_start:
    case CellKind::slowdown_end:
    case CellKind::slowdown_warning:
    case CellKind::speed_boards:
    case CellKind::direction_board:
      return true;
    default:
      return false;
  }
}

std::string n(std::int64_t v) { return std::to_string(v); }

std::string quoted_slot_name(std::int64_t slot, const SimTable* table) {
  std::string text = "slot " + n(slot);
  if (table && slot >= 0 && slot < kSimSlotCount) {
    text += " \"" + code_page_1252_to_utf8((*table)[static_cast<std::size_t>(slot)].name) + "\"";
  }
  return text;
}

// Which of value1 to value4 the kind gives a meaning to.
std::array<bool, 4> values_used(CellKind kind) {
  switch (kind) {
    case CellKind::signal:
    case CellKind::speed_boards:
      return {true, true, true, true};
    case CellKind::slowdown_start:
    case CellKind::slowdown_end:
      return {true, true, true, false};
    case CellKind::slowdown_warning:
    case CellKind::slowdown_approach:
      return {true, true, false, false};
    case CellKind::station_stop:
    case CellKind::code_change:
    case CellKind::direction_board:
      return {true, false, false, false};
    default:
      return {false, false, false, false};
  }
}

std::string object_text(const TrackCell& cell, const SimTable* table) {
  switch (cell.kind) {
    case CellKind::signal: {
      const SignalAspects a = signal_aspects(cell);
      return "s1 " + n(a.s1) + " d1 " + n(a.d1) + ", s2 " + n(a.s2) + " d2 " + n(a.d2) + ", s3 " +
             n(a.s3) + " d3 " + n(a.d3) + ", rapp " + n(a.rapp) + ", sx " + n(a.sx) + ", dx " +
             n(a.dx) + ", signal_time " + n(cell.signal_time);
    }
    case CellKind::slowdown_start:
    case CellKind::slowdown_end:
    case CellKind::slowdown_warning: {
      std::string text = "v " + n(cell.value1);
      if (cell.value2 != 0) text += ", d_v " + n(cell.value2);
      if (cell.kind != CellKind::slowdown_warning) text += ", f_tt " + n(cell.value3);
      return text;
    }
    case CellKind::slowdown_approach: {
      std::string text = "approach cell " + n(cell.value1);
      if (cell.value2 != 0) text += ", d_v cell " + n(cell.value2);
      return text;
    }
    case CellKind::speed_boards: {
      const BoardPair b = board_pair(cell);
      return "first board " + n(b.first_a) + " " + n(b.first_b) + " " + n(b.first_c) + " stripes " +
             n(b.first_stripes) + ", second board " + n(b.second_a) + " " + n(b.second_b) + " " +
             n(b.second_c) + " stripes " + n(b.second_stripes);
    }
    case CellKind::station_stop:
    case CellKind::direction_board:
      return quoted_slot_name(cell.value1, table);
    case CellKind::code_change:
      return "code " + n(cell.value1);
    default:
      return {};
  }
}

void append(std::string& text, std::string_view separator, const std::string& piece) {
  if (piece.empty()) return;
  if (!text.empty()) text += separator;
  text += piece;
}

}  // namespace

SignalAspects signal_aspects(const TrackCell& cell) {
  SignalAspects a;
  a.s1 = cell.value1 / 10;
  a.d1 = cell.value1 % 10;
  a.s2 = cell.value2 / 10;
  a.d2 = cell.value2 % 10;
  a.s3 = cell.value3 / 10;
  a.d3 = cell.value3 % 10;
  a.rapp = cell.value4 / 10;
  const std::int32_t sides = cell.value4 % 10;  // 3 x sx + dx
  a.sx = sides / 3;
  a.dx = sides % 3;
  return a;
}

BoardPair board_pair(const TrackCell& cell) {
  BoardPair b;
  b.first_a = cell.value1 / 100 * kSpeedStep;
  b.second_a = cell.value1 % 100 * kSpeedStep;
  b.first_b = cell.value2 / 100 * kSpeedStep;
  b.second_b = cell.value2 % 100 * kSpeedStep;
  b.first_c = cell.value3 / 100 * kSpeedStep;
  b.second_c = cell.value3 % 100 * kSpeedStep;
  b.first_stripes = cell.value4 / 10;
  b.second_stripes = cell.value4 % 10;
  return b;
}

std::string describe_cell(const TrackCell& cell, std::int64_t index, const SimTable* table) {
  const auto code = static_cast<std::uint8_t>(cell.kind);
  const auto name = kind_name(code);
  std::string text = name ? std::string(*name) : "kind " + n(code) + " (unknown)";
  // These objects go one cell past the position they stand for, so that position is told too.
  if (placed_past_position(cell.kind)) text += " (for " + n((index - 1) * kCellMetres) + " m)";
  append(text, " ", object_text(cell, table));

  std::string others;
  const std::array<bool, 4> used = values_used(cell.kind);
  const std::array<std::int16_t, 4> values = {cell.value1, cell.value2, cell.value3, cell.value4};
  for (std::size_t k = 0; k < values.size(); ++k) {
    if (used[k] || values[k] == 0) continue;
    std::string piece = "value" + n(static_cast<std::int64_t>(k) + 1) + " " + n(values[k]);
    if (index == 1 && k == 0) piece += " (marker)";
    if (index == 1 && k == 1) piece += " (OG code)";
    append(others, ", ", piece);
  }
  if (cell.kind != CellKind::signal && cell.signal_time != 0) {
    append(others, ", ", "signal_time " + n(cell.signal_time));
  }
  if (cell.marker != 0) append(others, ", ", "marker " + n(cell.marker));
  if (cell.mountain_type != 0) append(others, ", ", "mountain_type " + n(cell.mountain_type));
  append(text, "; ", others);

  const std::int32_t gradient = static_cast<std::int32_t>(cell.gradient) - 100;
  append(text, "; ",
         "speed_limit " + n(cell.speed_limit) + " (" + n(cell.speed_limit * kSpeedStep) +
             "), gradient " + n(cell.gradient) + " (" + (gradient > 0 ? "+" : "") + n(gradient) +
             "), adhesion " + n(cell.adhesion));
  return text;
}

bool holds_something(const TrackCell& cell, const TrackCell& previous) {
  return cell.kind != CellKind::empty || cell.value1 != 0 || cell.value2 != 0 || cell.value3 != 0 ||
         cell.value4 != 0 || cell.signal_time != 0 || cell.marker != 0 || cell.mountain_type != 0 ||
         cell.speed_limit != previous.speed_limit || cell.gradient != previous.gradient ||
         cell.adhesion != previous.adhesion;
}

std::string clock_text(std::int32_t seconds) {
  const std::int64_t whole = std::llabs(static_cast<std::int64_t>(seconds));
  std::string text = seconds < 0 ? "-" : "";
  // Appended piece by piece: a literal put before a string makes some compilers warn falsely.
  const auto two = [&text](std::int64_t v) {
    if (v < 10) text += '0';
    text += std::to_string(v);
  };
  two(whole / 3600);
  text += ':';
  two(whole / 60 % 60);
  text += ':';
  two(whole % 60);
  return text;
}

}  // namespace scenario::inspect
