#pragma once

#include "model/scenario_state.h"
#include "parse/field_reader.h"
#include "parse/parse_context.h"
#include "parse/record_id.h"
#include "parse/record_outcome.h"

namespace scenario {

// How comment fields (keyword fields holding "-") are passed over in one part of a file.
struct CommentRule {
  int at_most = 0;  // passed over in a row; the next one holding "-" is taken as the keyword field
  // True when a field passed over that turns out to be the file's last ends the part; false
  // when the fields are passed over without looking for the end between them.
  bool end_ends_part = true;
};

// The route file's general section passes over up to ten in a row without looking for the end;
// its feature part and the train file pass over two, ending at the end of the file.
inline constexpr CommentRule kGeneralSectionComments{10, false};
inline constexpr CommentRule kRecordComments{2, true};

// Reads the next field as a keyword field into `text_line`; its line becomes the record line
// that failures found while handling it are reported with. Writes `text_line` and
// context.record_line. Throws ReadFault when no byte is left.
void read_keyword_field(ScenarioState& state, ParseContext& context, FieldReader& reader);

// Reads the keyword field of the next record into `text_line`: one keyword field, then up to
// `rule.at_most` comment fields passed over, each replaced by the field after it. Returns false
// when the records of this part end instead: the first field read was the file's last (which is
// never interpreted) or, when the rule says so, a field read in place of a comment was. Writes
// `text_line` and context.record_line. Throws ReadFault when a read finds no byte left.
bool next_keyword_field(ScenarioState& state, ParseContext& context, FieldReader& reader,
                        CommentRule rule);

// Runs `handler`, which reads the fields of the record `id` that the current keyword field
// starts and returns how the record ended. With an observer, tells it that the record started
// and how it ended, with the lines its fields spanned; without one, only runs the handler.
template <class Handler>
RecordOutcome read_record(ParseContext& context, const FieldReader& reader, const RecordId& id,
                          Handler&& handler) {
  ReadObserver* const observer = context.observer;
  if (!observer) return handler();
  RecordEvent event{id, context.keyword, context.record_line, context.record_line};
  ++context.records_started;
  observer->record_started(event);
  const RecordOutcome outcome = handler();
  event.last_line = reader.line();
  observer->record_ended(event, outcome);
  return outcome;
}

// After every keyword test of the current keyword field has run: tells an observer of a section
// head (with the role a head has in this part of the file) and of a field that started no
// record. Does nothing without an observer.
void keyword_tested(const ParseContext& context, SectionRole head_role);

}  // namespace scenario
