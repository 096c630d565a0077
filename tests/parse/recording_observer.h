#pragma once

#include <string>
#include <vector>

#include "parse/read_observer.h"

namespace scenario::testing {

// An observer that writes every event it is told as one line of text, in order:
//   "start route", "end train part_ended",
//   "field keyword 2:3@14 [bytes]" (plus " text [..]" when the text differs, " =N" for a number),
//   "refused number 2:3@14 [bytes] why",
//   "comment 1/2 [bytes]", "head ends_general [bytes]",
//   "record 10 curva 5 [bytes]", "end 10 curva 5-6 go_on", "unmatched 7:1 [bytes]".
class RecordingObserver : public ReadObserver {
 public:
  void file_started(TextFile file, std::string_view) override {
    events.push_back("start " + name(file));
  }
  void field_read(const FieldEvent& field) override {
    std::string line =
        "field " + name(field.kind) + " " + place(field) + " [" + std::string(field.bytes) + "]";
    if (field.text != field.bytes && field.kind != FieldKind::number) {
      line += " text [" + std::string(field.text) + "]";
    }
    if (field.kind == FieldKind::number) line += " =" + std::to_string(field.number);
    events.push_back(line);
  }
  void field_refused(const FieldEvent& field, std::string_view why) override {
    events.push_back("refused " + name(field.kind) + " " + place(field) + " [" +
                     std::string(field.bytes) + "] " + std::string(why));
  }
  void comment_passed_over(const FieldEvent& field, int in_row, int at_most) override {
    events.push_back("comment " + std::to_string(in_row) + "/" + std::to_string(at_most) + " [" +
                     std::string(field.bytes) + "]");
  }
  void section_head(const FieldEvent& field, SectionRole role) override {
    events.push_back("head " + name(role) + " [" + std::string(field.bytes) + "]");
  }
  void record_started(const RecordEvent& record) override {
    events.push_back("record " + std::to_string(record.id.order) + " " +
                     std::string(record.id.name) + " " + std::to_string(record.first_line) + " [" +
                     std::string(record.keyword.bytes) + "]");
  }
  void record_ended(const RecordEvent& record, RecordOutcome outcome) override {
    events.push_back("end " + std::to_string(record.id.order) + " " + std::string(record.id.name) +
                     " " + std::to_string(record.first_line) + "-" +
                     std::to_string(record.last_line) + " " + name(outcome));
  }
  void keyword_unmatched(const FieldEvent& field) override {
    events.push_back("unmatched " + std::to_string(field.line) + ":" +
                     std::to_string(field.column) + " [" + std::string(field.bytes) + "]");
  }
  void file_ended(TextFile file, FileEnd how) override {
    events.push_back("end " + name(file) + " " + name(how));
  }

  // The events whose line begins with one of `prefixes`, in order.
  std::vector<std::string> only(std::initializer_list<std::string_view> prefixes) const {
    std::vector<std::string> kept;
    for (const std::string& event : events) {
      for (std::string_view prefix : prefixes) {
        if (event.starts_with(prefix)) {
          kept.push_back(event);
          break;
        }
      }
    }
    return kept;
  }

  std::vector<std::string> events;

 private:
  static std::string place(const FieldEvent& field) {
    return std::to_string(field.line) + ":" + std::to_string(field.column) + "@" +
           std::to_string(field.offset);
  }
  static std::string name(TextFile file) {
    return file == TextFile::route ? "route" : file == TextFile::train ? "train" : "none";
  }
  static std::string name(FieldKind kind) {
    return kind == FieldKind::keyword ? "keyword" : kind == FieldKind::number ? "number" : "text";
  }
  static std::string name(SectionRole role) {
    return role == SectionRole::opens_data     ? "opens_data"
           : role == SectionRole::ends_general ? "ends_general"
                                               : "other";
  }
  static std::string name(RecordOutcome outcome) {
    return outcome == RecordOutcome::go_on       ? "go_on"
           : outcome == RecordOutcome::part_ends ? "part_ends"
                                                 : "leave";
  }
  static std::string name(FileEnd how) {
    switch (how) {
      case FileEnd::end_of_file:
        return "end_of_file";
      case FileEnd::part_ended:
        return "part_ended";
      case FileEnd::parse_left:
        return "parse_left";
      case FileEnd::no_data:
        return "no_data";
    }
    return "?";
  }
};

}  // namespace scenario::testing
