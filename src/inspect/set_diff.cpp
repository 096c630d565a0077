#include "inspect/set_diff.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "inspect/slot_fields.h"

namespace scenario::inspect {

namespace {

std::string shown_or_empty(bool present, const std::string& shown) {
  return present ? shown : std::string();
}

void number_change(std::vector<FieldChange>& fields, std::string_view field, std::int64_t a,
                   std::int64_t b) {
  if (a != b) fields.push_back({field, a, b, std::nullopt});
}

FileDiff diff_tables(const TableFile& a, const TableFile& b) {
  FileDiff diff;
  diff.content = Content::table;
  for (int k = 0; k < kSimSlotCount; ++k) {
    const SimSlot& sa = a.slots[static_cast<std::size_t>(k)];
    const SimSlot& sb = b.slots[static_cast<std::size_t>(k)];
    RecordChange record{k, {}};
    const auto na = slot_numbers(sa);
    const auto nb = slot_numbers(sb);
    for (std::size_t f = 0; f < na.size(); ++f) {
      if (f == kFieldsBeforeName && sa.name != sb.name) {
        record.fields.push_back({"name", 0, 0, std::make_pair(sa.name, sb.name)});
      }
      number_change(record.fields, na[f].name, na[f].value, nb[f].value);
    }
    if (!record.fields.empty()) diff.records.push_back(std::move(record));
  }
  diff.differing = static_cast<std::int64_t>(diff.records.size());
  return diff;
}

std::array<std::pair<std::string_view, std::int64_t>, 11> cell_fields(const TrackCell& c) {
  return {{{"kind", static_cast<std::uint8_t>(c.kind)},
           {"value1", c.value1},
           {"value2", c.value2},
           {"value3", c.value3},
           {"value4", c.value4},
           {"signal_time", c.signal_time},
           {"marker", c.marker},
           {"mountain_type", c.mountain_type},
           {"speed_limit", c.speed_limit},
           {"gradient", c.gradient},
           {"adhesion", c.adhesion}}};
}

std::optional<ExtraRecords> extra_records(std::int64_t a_count, std::int64_t b_count) {
  if (a_count == b_count) return std::nullopt;
  return ExtraRecords{b_count > a_count, std::min(a_count, b_count),
                      std::max(a_count, b_count) - 1};
}

FileDiff diff_cells(const std::vector<TrackCell>& a, const std::vector<TrackCell>& b) {
  FileDiff diff;
  diff.content = Content::cells;
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    if (a[i] == b[i]) continue;
    RecordChange record{static_cast<std::int64_t>(i), {}};
    const auto fa = cell_fields(a[i]);
    const auto fb = cell_fields(b[i]);
    for (std::size_t f = 0; f < fa.size(); ++f) {
      number_change(record.fields, fa[f].first, fa[f].second, fb[f].second);
    }
    diff.records.push_back(std::move(record));
  }
  diff.differing = static_cast<std::int64_t>(diff.records.size());
  diff.extra =
      extra_records(static_cast<std::int64_t>(a.size()), static_cast<std::int64_t>(b.size()));
  return diff;
}

bool same_element(const ProfileElement& a, const ProfileElement& b) {
  if (a.tag != b.tag) return false;
  const double x = a.number();
  const double y = b.number();
  return x == y || (std::isnan(x) && std::isnan(y));
}

FileDiff diff_profiles(const ProfileFile& a, const ProfileFile& b) {
  FileDiff diff;
  diff.content = Content::profile;
  const std::int64_t common = std::min(a.rows(), b.rows());
  for (std::int64_t row = 0; row < common; ++row) {
    std::vector<ElementChange> changes;
    for (int column = 0; column < 2; ++column) {
      const ProfileElement& ea = a.at(row, column);
      const ProfileElement& eb = b.at(row, column);
      if (!same_element(ea, eb)) changes.push_back({column, ea, eb});
    }
    if (changes.empty()) continue;
    ++diff.differing;
    if (!diff.runs.empty() && diff.runs.back().last == row - 1) {
      diff.runs.back().last = row;
    } else {
      diff.runs.push_back({row, row, std::move(changes)});
    }
  }
  diff.extra = extra_records(a.rows(), b.rows());
  return diff;
}

template <class T, class Compare>
void add_file(SetDiff& set, Content content, const std::optional<T>& a, const std::string& a_shown,
              const std::optional<T>& b, const std::string& b_shown, Compare compare) {
  if (!a && !b) return;
  FileDiff diff;
  if (a && b) diff = compare(*a, *b);
  diff.content = content;
  diff.a_shown = shown_or_empty(a.has_value(), a_shown);
  diff.b_shown = shown_or_empty(b.has_value(), b_shown);
  set.files.push_back(std::move(diff));
}

}  // namespace

bool SetDiff::identical() const {
  if (route_length) return false;
  return std::all_of(files.begin(), files.end(), [](const FileDiff& f) { return f.identical(); });
}

SetDiff diff_sets(const DecodedSet& a, const DecodedSet& b) {
  SetDiff set;
  if (a.table && b.table && route_length_of(*a.table) != route_length_of(*b.table)) {
    set.route_length = std::make_pair(route_length_of(*a.table), route_length_of(*b.table));
  }
  add_file(set, Content::table, a.table, a.table_shown, b.table, b.table_shown, diff_tables);
  add_file(set, Content::cells, a.cells, a.cells_shown, b.cells, b.cells_shown, diff_cells);
  add_file(set, Content::profile, a.profile, a.profile_shown, b.profile, b.profile_shown,
           diff_profiles);
  return set;
}

}  // namespace scenario::inspect
