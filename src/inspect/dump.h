#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "inspect/profile_file.h"
#include "inspect/table_file.h"
#include "inspect/text_out.h"
#include "model/track_cell.h"

namespace scenario::inspect {

enum class DumpFormat { text, json, csv };

// What a dump lists. Kinds and the range in metres narrow the cells (the range also the profile
// rows); `all` makes the text format list the cells and slots that hold nothing as well. JSON
// and CSV list every record unless kinds or a range narrow them, so that an unfiltered JSON dump
// holds every byte of its file.
struct DumpFilter {
  std::vector<std::uint8_t> kinds;  // empty: every kind
  std::optional<std::int64_t> from_metres;
  std::optional<std::int64_t> to_metres;
  bool all = false;

  bool takes_metres(std::int64_t metres) const {
    return (!from_metres || metres >= *from_metres) && (!to_metres || metres <= *to_metres);
  }
};

// What a cell dump can say beyond the cells: the table gives station and board names and the
// route length.
struct CellContext {
  const SimTable* table = nullptr;
  std::optional<std::int32_t> route_length;
};

// Each writes one file's dump to `out`. Text: a heading line naming the file, then one line per
// record. JSON: one object without a line end, {"file", "content", ... the records by the
// system's field names}. CSV: a header row, then one row per record. `file` is the name shown.
void dump_table(TextOut& out, DumpFormat format, std::string_view file, const TableFile& table,
                const DumpFilter& filter);
void dump_cells(TextOut& out, DumpFormat format, std::string_view file,
                const std::vector<TrackCell>& cells, const CellContext& context,
                const DumpFilter& filter);
void dump_profile(TextOut& out, DumpFormat format, std::string_view file,
                  const ProfileFile& profile, std::optional<std::int32_t> route_length,
                  const DumpFilter& filter);

}  // namespace scenario::inspect
