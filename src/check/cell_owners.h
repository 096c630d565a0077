#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "check/reading_trace.h"
#include "model/scenario_state.h"
#include "model/track_cell.h"
#include "parse/read_observer.h"

namespace scenario::check {

// The record that last wrote a cell's object (its `kind` or its values).
struct CellOwner {
  std::string_view record;  // the record's canonical keyword
  FieldSpot where;          // its position field, or its keyword field when it has no number
  std::vector<std::int64_t> numbers;  // every number field it read, as read, in order
};

// One watched cell after the run: what it held when the parse ended and at the end, and who
// put it there.
struct WatchedCell {
  std::int64_t index = 0;
  bool exists = false;  // false when the cells never reached it
  TrackCell after_parse;
  TrackCell at_end;
  std::optional<CellOwner> owner;  // the last record that changed it, if any
  // The code-change pass changed its kind after the parse (it placed a code change there).
  bool placed_by_pass() const { return exists && after_parse.kind != at_end.kind; }
};

// Watches a few cells while the pack's compile runs on `state`, and keeps for each the record
// that last changed its object. Only reads the state; cheap for any number of records, since it
// looks at the watched cells only when a record ends.
class CellOwnerTracer final : public ReadObserver {
 public:
  CellOwnerTracer(const ScenarioState& state, std::vector<std::int64_t> cells);

  void field_read(const FieldEvent& field) override;
  void file_started(TextFile file, std::string_view) override { file_ = file; }
  void record_started(const RecordEvent& record) override;
  void record_ended(const RecordEvent& record, RecordOutcome outcome) override;
  void file_ended(TextFile file, FileEnd how) override;

  // The watched cells, as the run left them. Call once the run is over.
  std::vector<WatchedCell> cells() const;

 private:
  const TrackCell* cell(std::int64_t index) const;

  const ScenarioState& state_;
  std::vector<WatchedCell> watched_;
  TextFile file_ = TextFile::none;
  bool in_record_ = false;
  CellOwner current_;
  bool current_has_number_ = false;
};

}  // namespace scenario::check
