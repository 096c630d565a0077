#include "check/cell_owners.h"

#include <algorithm>

namespace scenario::check {

namespace {

// What a record can change in a cell: its object, not the marks and stretch values around it.
bool same_object(const TrackCell& a, const TrackCell& b) {
  return a.kind == b.kind && a.value1 == b.value1 && a.value2 == b.value2 && a.value3 == b.value3 &&
         a.value4 == b.value4;
}

FieldSpot spot_of(TextFile file, const FieldEvent& field) {
  FieldSpot s;
  s.file = file;
  s.kind = field.kind;
  s.line = field.line;
  s.column = field.column;
  s.length = static_cast<std::int32_t>(field.bytes.size());
  s.number = field.number;
  return s;
}

}  // namespace

CellOwnerTracer::CellOwnerTracer(const ScenarioState& state, std::vector<std::int64_t> cells)
    : state_(state) {
  std::sort(cells.begin(), cells.end());
  cells.erase(std::unique(cells.begin(), cells.end()), cells.end());
  for (std::int64_t index : cells) {
    WatchedCell cell;
    cell.index = index;
    watched_.push_back(cell);
  }
}

const TrackCell* CellOwnerTracer::cell(std::int64_t index) const {
  if (!state_.cells || !state_.cells->contains(index)) return nullptr;
  return &(*state_.cells)[index];
}

void CellOwnerTracer::field_read(const FieldEvent& field) {
  if (!in_record_ || field.kind != FieldKind::number) return;
  current_.numbers.push_back(field.number);
  if (current_has_number_) return;
  current_.where = spot_of(file_, field);
  current_has_number_ = true;
}

void CellOwnerTracer::record_started(const RecordEvent& record) {
  in_record_ = true;
  current_.record = record.id.name;
  current_.where = spot_of(file_, record.keyword);
  current_.numbers.clear();
  current_has_number_ = false;
}

void CellOwnerTracer::record_ended(const RecordEvent&, RecordOutcome) {
  in_record_ = false;
  for (WatchedCell& watched : watched_) {
    const TrackCell* now = cell(watched.index);
    if (!now) continue;
    if (watched.exists && same_object(*now, watched.after_parse)) continue;
    // An empty cell has no owner: a new cell array (a second route length) starts afresh.
    if (same_object(*now, TrackCell{})) {
      watched.owner.reset();
    } else {
      watched.owner = current_;
    }
    watched.exists = true;
    watched.after_parse = *now;
  }
}

void CellOwnerTracer::file_ended(TextFile, FileEnd) {
  for (WatchedCell& watched : watched_) {
    if (const TrackCell* now = cell(watched.index)) {
      watched.exists = true;
      watched.after_parse = *now;
    }
  }
}

std::vector<WatchedCell> CellOwnerTracer::cells() const {
  std::vector<WatchedCell> result = watched_;
  for (WatchedCell& watched : result) {
    if (const TrackCell* now = cell(watched.index)) {
      if (!watched.exists) watched.after_parse = *now;
      watched.exists = true;
      watched.at_end = *now;
    }
  }
  return result;
}

}  // namespace scenario::check
