#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "check/diagnostic.h"
#include "check/finding.h"
#include "check/reading_trace.h"
#include "model/scenario_state.h"
#include "parse/read_observer.h"

namespace scenario::check {

// Watches the reader of both text files and finds, as it goes, what the pack reads differently
// from how it looks (the warnings of finding.h) and what it does silently (the notes). It also
// keeps the reading trace that the report of a failure needs. It only looks: the state, which
// the compile it observes fills, is read for the last cell index and nothing else.
class TextChecker final : public ReadObserver {
 public:
  explicit TextChecker(const ScenarioState& state) : state_(state) {}

  void file_started(TextFile file, std::string_view) override;
  void field_read(const FieldEvent& field) override;
  void field_refused(const FieldEvent& field, std::string_view why) override;
  void comment_passed_over(const FieldEvent& field, int in_row, int at_most) override;
  void section_head(const FieldEvent& field, SectionRole role) override;
  void record_started(const RecordEvent& record) override;
  void record_ended(const RecordEvent& record, RecordOutcome outcome) override;
  void keyword_unmatched(const FieldEvent& field) override;
  void file_ended(TextFile file, FileEnd how) override;

  // The findings so far, in the order they were found.
  const std::vector<Diagnostic>& findings() const { return findings_; }
  const ReadingTrace& trace() const { return trace_; }

 private:
  // Which keywords the reader tests in the part of the file being read.
  enum class Part : std::uint8_t { preamble, general, features, records };

  // A value laid into the cells stretch by stretch, as the compile lays it, with the record
  // that put the value in force.
  struct Stretch {
    std::int64_t fill = 0;
    std::int64_t current = 0;
    std::optional<FieldSpot> last;  // position of the record that set `current`
    std::int64_t last_cell = 0;     // that record's cell
  };

  // The record that ended last in this file, for the fields that follow it on its line.
  struct EndedRecord {
    std::string_view name;
    std::int32_t last_line = 0;
    std::size_t end_offset = 0;    // just past its last field
    bool ended_with_text = false;  // its last field is a text (a board text, a station name)
    FieldSpot text;                // that text
    bool spans_lines = false;
  };

  void add(Finding finding, const FieldSpot& where, std::string message);
  void add_note(const FieldSpot& where, std::string message);
  FieldSpot spot(const FieldEvent& field) const;

  void classify_unmatched(const FieldEvent& field);
  void line_after_record(const FieldEvent& field, const std::string* record_started);
  void record_findings(const RecordTrace& record);
  void stretch_record(Stretch& stretch, const RecordTrace& record, std::string_view what,
                      bool capped_at_last_cell);
  void curve_record(const RecordTrace& record);
  void mountain_record(const RecordTrace& record);
  void station_record(const RecordTrace& record);
  void signal_record(const RecordTrace& record);
  void slowdown_record(const RecordTrace& record);
  void speed_record(const RecordTrace& record);

  const ScenarioState& state_;
  std::vector<Diagnostic> findings_;
  ReadingTrace trace_;

  // Per file.
  TextFile file_ = TextFile::none;
  Part part_ = Part::preamble;
  std::optional<FieldSpot> general_end_;  // the head that ended the route's general section
  FieldSpot last_keyword_;
  std::size_t last_keyword_offset_ = 0;
  bool last_keyword_interpreted_ = true;
  bool in_record_ = false;
  std::size_t current_keyword_offset_ = 0;
  std::size_t record_end_offset_ = 0;  // just past the last field of the record being read
  std::optional<EndedRecord> ended_;
  std::int32_t reported_line_ = 0;  // a line whose leftover fields were reported already
  std::int32_t comment_line_ = 0;   // the line of the last comment field passed over
  std::size_t comment_end_offset_ = 0;
  std::int32_t comment_column_end_ = 0;
  bool comment_run_full_ = false;  // the last comment was the last one passed over in a row
  int comment_at_most_ = 0;
  std::optional<std::size_t> flagged_comment_offset_;  // a comment read as a keyword field
  std::int32_t comma_reported_line_ = 0;               // a comment line whose comma was reported
  std::optional<std::size_t> comma_finding_;           // that finding, to say what its field did
  std::optional<FieldSpot> after_end_;                 // the "[fine]" head, when one was read
  bool after_end_reported_ = false;

  // Route.
  Stretch gradients_;
  std::int64_t profile_row_ = 2;
  std::optional<FieldSpot> last_curve_;
  std::optional<FieldSpot> last_mountain_;
  std::int64_t last_mountain_end_ = 0;
  // Train.
  Stretch speeds_;
  Stretch adhesions_;
};

}  // namespace scenario::check
