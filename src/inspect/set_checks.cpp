#include "inspect/set_checks.h"

#include "inspect/cell_file.h"
#include "inspect/kind_names.h"
#include "inspect/profile_file.h"
#include "inspect/route_extent.h"
#include "model/code_page_1252.h"
#include "model/rounding.h"
#include "output/integrity_codes.h"

namespace scenario::inspect {

namespace {

// Unknown kinds are listed one by one up to this many; a file of noise would otherwise give
// one line per cell.
constexpr std::size_t kKindLinesShown = 10;

std::string at(const CompiledFile& file, std::uint64_t offset) {
  return file.shown + ": byte " + std::to_string(offset) + ": ";
}

std::string quoted(const std::string& single_byte) {
  std::string text = "\"";
  text += code_page_1252_to_utf8(single_byte);
  text += '"';
  return text;
}

std::string line_of(const TableFile& table) { return table.slots[kLineSlot].name; }
std::string train_of(const TableFile& table) { return table.slots[kTrainSlot].name; }

void check_name(std::vector<std::string>& problems, const CompiledFile& file,
                const std::string& expected, const TableFile& table) {
  if (file.name == expected) return;
  problems.push_back(file.shown + ": the names in slots 85 and 86 (line " + quoted(line_of(table)) +
                     ", train " + quoted(train_of(table)) + ") belong in a file named " +
                     quoted(expected));
}

std::string route_length_source(const CompiledFile& table_file, const TableFile& table) {
  return " (route length " + std::to_string(route_length_of(table)) + " m in slot 84 of " +
         table_file.shown + ")";
}

}  // namespace

std::vector<std::string> check_table(const CompiledFile& file, std::optional<TableFile>& decoded) {
  std::vector<std::string> problems;
  auto read = read_table_file(file.bytes, file.shown);
  if (!read) {
    problems.push_back(read.fault().describe());
    return problems;
  }
  decoded = std::move(read).value();
  const TableFile& table = *decoded;
  const SimSlot& line = table.slots[kLineSlot];

  const std::uint64_t param7_at = table.after_name(kLineSlot) + TableFile::kParam7AfterName;
  if (line.param7 != kSlotMarker) {
    problems.push_back(at(file, param7_at) + "slot 85 param7 is " + std::to_string(line.param7) +
                       ", not the marker " + std::to_string(kSlotMarker));
  }
  const std::int32_t st = codice_gara_st(table.slots);
  if (line.time_s != st) {
    problems.push_back(at(file, table.after_name(kLineSlot) + TableFile::kTimeAfterName) +
                       "slot 85 time_s is " + std::to_string(line.time_s) +
                       ", but the ST code of the names in slots 85 and 86 is " +
                       std::to_string(st));
  }
  const std::int32_t length = route_length_of(table);
  if (!is_compiled_route_length(length)) {
    problems.push_back(at(file, table.slot_offsets[kTrainRouteSlot] + TableFile::kSlotZoneEndAt) +
                       "slot 84 zone_end holds the route length " + std::to_string(length) +
                       ", outside 0 to 1000000 m");
  }
  check_name(problems, file, line_of(table) + "_" + train_of(table) + ".sim", table);
  return problems;
}

std::vector<std::string> check_cells(const CompiledFile& file, const CompiledFile& table_file,
                                     const TableFile& table) {
  std::vector<std::string> problems;
  const RouteExtent extent = route_extent(route_length_of(table));
  auto read = read_cell_file(file.bytes, file.shown, extent.last_cell);
  if (!read) {
    problems.push_back(read.fault().describe() + route_length_source(table_file, table));
    // The cells can still be looked at when the file holds whole cells.
    if (file.bytes.size() % kCellBytes != 0) return problems;
    read = read_cell_file(file.bytes, file.shown,
                          static_cast<std::int64_t>(file.bytes.size() / kCellBytes) - 1);
  }
  const std::vector<TrackCell>& cells = read.value();

  if (cells.size() < 2) {
    problems.push_back(file.shown + ": there is no cell 1 for the marker " +
                       std::to_string(kCellMarker) + " and the OG code");
  } else {
    const TrackCell& reserved = cells[1];
    if (reserved.value1 != kCellMarker) {
      problems.push_back(at(file, cell_offset(1) + kCellValue1At) + "cell 1 value1 is " +
                         std::to_string(reserved.value1) + ", not the marker " +
                         std::to_string(kCellMarker));
    }
    const std::int16_t og = low_16(codice_gara_og(table.slots));
    if (reserved.value2 != og) {
      problems.push_back(at(file, cell_offset(1) + kCellValue2At) + "cell 1 value2 is " +
                         std::to_string(reserved.value2) + ", but the OG code of the names in " +
                         table_file.shown + " is " + std::to_string(og));
    }
  }

  std::size_t unknown = 0;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const auto code = static_cast<std::uint8_t>(cells[i].kind);
    if (kind_name(code)) continue;
    if (++unknown <= kKindLinesShown) {
      problems.push_back(at(file, cell_offset(static_cast<std::int64_t>(i))) + "cell " +
                         std::to_string(i) + " has the kind code " + std::to_string(code) +
                         ", which no object uses");
    }
  }
  if (unknown > kKindLinesShown) {
    problems.push_back(file.shown + ": " + std::to_string(unknown - kKindLinesShown) +
                       " more cells have kind codes that no object uses");
  }

  check_name(problems, file, line_of(table) + "_" + train_of(table) + ".dat", table);
  return problems;
}

std::vector<std::string> check_profile(const CompiledFile& file, const CompiledFile& table_file,
                                       const TableFile& table) {
  std::vector<std::string> problems;
  const RouteExtent extent = route_extent(route_length_of(table));
  const auto read = read_profile_file(file.bytes, file.shown, extent.last_row);
  if (!read) problems.push_back(read.fault().describe() + route_length_source(table_file, table));
  check_name(problems, file, line_of(table) + "_linea.dat", table);
  return problems;
}

}  // namespace scenario::inspect
