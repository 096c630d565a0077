#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "inspect/profile_file.h"
#include "inspect/table_file.h"
#include "model/track_cell.h"

namespace scenario::inspect {

// One side of a comparison: whichever of the three files it has, decoded, and how to name them.
struct DecodedSet {
  std::optional<TableFile> table;
  std::optional<std::vector<TrackCell>> cells;
  std::optional<ProfileFile> profile;
  std::string table_shown, cells_shown, profile_shown;
};

enum class Content { table, cells, profile };

// A field that differs: its name and the two values. Names are compared and kept as text,
// every other field as a number.
struct FieldChange {
  std::string_view field;
  std::int64_t a = 0;
  std::int64_t b = 0;
  std::optional<std::pair<std::string, std::string>> text;  // single-byte names, for `name`
};

// A slot or a cell that differs, by its index, with every field that differs.
struct RecordChange {
  std::int64_t index = 0;
  std::vector<FieldChange> fields;
};

// A profile element that differs: tags and values on both sides.
struct ElementChange {
  int column = 0;  // 0 x, 1 y
  ProfileElement a;
  ProfileElement b;
};

// Consecutive profile rows that all differ, with what differs in the first of them: a changed
// curve moves every row after it, which a reader wants as one stretch, not as thousands of rows.
struct RowRun {
  std::int64_t first = 0;
  std::int64_t last = 0;
  std::vector<ElementChange> first_row;
};

// Records present on one side only, when the two files have different counts.
struct ExtraRecords {
  bool in_b = false;  // false: only in A
  std::int64_t first = 0;
  std::int64_t last = 0;
};

struct FileDiff {
  Content content = Content::table;
  std::string a_shown;  // empty: the file is missing on that side
  std::string b_shown;
  std::vector<RecordChange> records;  // slots or cells
  std::vector<RowRun> runs;           // profile rows
  std::int64_t differing = 0;         // slots, cells or rows that differ
  std::optional<ExtraRecords> extra;

  bool one_sided() const { return a_shown.empty() || b_shown.empty(); }
  bool identical() const { return !one_sided() && differing == 0 && !extra; }
};

struct SetDiff {
  std::optional<std::pair<std::int32_t, std::int32_t>> route_length;  // when the two differ
  std::vector<FileDiff> files;  // table, cells, profile, for each present on either side

  bool identical() const;
};

// Compares two sets record by record and field by field: slots 0 to 86, the cells both files
// hold (the rest counted once as present on one side only), and the profile rows both hold,
// compared as numbers with their tags (0 and -0 are equal; two NaNs are equal).
SetDiff diff_sets(const DecodedSet& a, const DecodedSet& b);

}  // namespace scenario::inspect
