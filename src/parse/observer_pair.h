#pragma once

#include <string_view>

#include "parse/read_observer.h"

namespace scenario {

// Tells two observers everything the reader sees, the first one first, so that one run can
// feed two tools (the check and a tracer of the cells, say). Holds references: both must
// outlive the run.
class ObserverPair final : public ReadObserver {
 public:
  ObserverPair(ReadObserver& first, ReadObserver& second) : a_(first), b_(second) {}

  void file_started(TextFile file, std::string_view name) override {
    a_.file_started(file, name);
    b_.file_started(file, name);
  }
  void field_read(const FieldEvent& field) override {
    a_.field_read(field);
    b_.field_read(field);
  }
  void field_refused(const FieldEvent& field, std::string_view why) override {
    a_.field_refused(field, why);
    b_.field_refused(field, why);
  }
  void comment_passed_over(const FieldEvent& field, int in_row, int at_most) override {
    a_.comment_passed_over(field, in_row, at_most);
    b_.comment_passed_over(field, in_row, at_most);
  }
  void section_head(const FieldEvent& field, SectionRole role) override {
    a_.section_head(field, role);
    b_.section_head(field, role);
  }
  void record_started(const RecordEvent& record) override {
    a_.record_started(record);
    b_.record_started(record);
  }
  void record_ended(const RecordEvent& record, RecordOutcome outcome) override {
    a_.record_ended(record, outcome);
    b_.record_ended(record, outcome);
  }
  void keyword_unmatched(const FieldEvent& field) override {
    a_.keyword_unmatched(field);
    b_.keyword_unmatched(field);
  }
  void file_ended(TextFile file, FileEnd how) override {
    a_.file_ended(file, how);
    b_.file_ended(file, how);
  }

 private:
  ReadObserver& a_;
  ReadObserver& b_;
};

}  // namespace scenario
