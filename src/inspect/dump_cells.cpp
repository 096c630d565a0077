#include <algorithm>
#include <string>

#include "inspect/cell_meaning.h"
#include "inspect/dump.h"
#include "inspect/json_text.h"
#include "inspect/kind_names.h"

namespace scenario::inspect {

namespace {

constexpr std::int64_t kCellMetres = 50;

bool kind_wanted(const DumpFilter& filter, const TrackCell& cell) {
  if (filter.kinds.empty()) return true;
  const auto code = static_cast<std::uint8_t>(cell.kind);
  return std::find(filter.kinds.begin(), filter.kinds.end(), code) != filter.kinds.end();
}

void json_cell(TextOut& out, std::int64_t index, const TrackCell& cell) {
  const auto code = static_cast<std::uint8_t>(cell.kind);
  out << "{\"index\":" << index << ",\"kind\":{\"code\":" << code << ",\"name\":";
  if (const auto name = kind_name(code)) {
    out << '"' << *name << '"';
  } else {
    out << "null";
  }
  out << "},\"value1\":" << cell.value1 << ",\"value2\":" << cell.value2
      << ",\"value3\":" << cell.value3 << ",\"value4\":" << cell.value4
      << ",\"signal_time\":" << cell.signal_time << ",\"marker\":" << cell.marker
      << ",\"mountain_type\":" << cell.mountain_type << ",\"speed_limit\":" << cell.speed_limit
      << ",\"gradient\":" << cell.gradient << ",\"adhesion\":" << cell.adhesion << '}';
}

void csv_cell(TextOut& out, std::int64_t index, const TrackCell& cell) {
  const auto code = static_cast<std::uint8_t>(cell.kind);
  out << index << ',' << index * kCellMetres << ',' << code << ',' << kind_name(code).value_or("")
      << ',' << cell.value1 << ',' << cell.value2 << ',' << cell.value3 << ',' << cell.value4 << ','
      << cell.signal_time << ',' << cell.marker << ',' << cell.mountain_type << ','
      << cell.speed_limit << ',' << cell.gradient << ',' << cell.adhesion << '\n';
}

}  // namespace

void dump_cells(TextOut& out, DumpFormat format, std::string_view file,
                const std::vector<TrackCell>& cells, const CellContext& context,
                const DumpFilter& filter) {
  const auto count = static_cast<std::int64_t>(cells.size());
  switch (format) {
    case DumpFormat::text:
      out << file << ": "
          << (count == 0 ? std::string("no cells") : "cells 0 to " + std::to_string(count - 1))
          << ", 50 m each";
      if (context.route_length) out << " (route length " << *context.route_length << " m)";
      out << '\n';
      break;
    case DumpFormat::json:
      out << "{\"file\":";
      json_string(out, file);
      out << ",\"content\":\"cells\",\"route_length\":";
      if (context.route_length) {
        out << *context.route_length;
      } else {
        out << "null";
      }
      out << ",\"cells\":[";
      break;
    case DumpFormat::csv:
      out << "index,metres,kind,kind_name,value1,value2,value3,value4,signal_time,marker,"
             "mountain_type,speed_limit,gradient,adhesion\n";
      break;
  }

  const TrackCell nothing;
  bool first = true;
  for (std::int64_t i = 0; i < count; ++i) {
    const TrackCell& cell = cells[static_cast<std::size_t>(i)];
    if (!filter.takes_metres(i * kCellMetres) || !kind_wanted(filter, cell)) continue;
    switch (format) {
      case DumpFormat::text: {
        const TrackCell& previous = i == 0 ? nothing : cells[static_cast<std::size_t>(i - 1)];
        if (filter.all || !filter.kinds.empty() || holds_something(cell, previous)) {
          out << "cell " << i << " at " << i * kCellMetres
              << " m: " << describe_cell(cell, i, context.table) << '\n';
        }
        break;
      }
      case DumpFormat::json:
        if (!first) out << ',';
        json_cell(out, i, cell);
        break;
      case DumpFormat::csv:
        csv_cell(out, i, cell);
        break;
    }
    first = false;
  }
  if (format == DumpFormat::json) out << "]}";
}

}  // namespace scenario::inspect
