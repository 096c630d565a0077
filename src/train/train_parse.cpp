#include "train/train_parse.h"

#include <string>

#include "parse/field_reader.h"
#include "parse/keyword_fields.h"
#include "parse/keywords.h"
#include "parse/text_files.h"
#include "train/code_change_record.h"
#include "train/general_records.h"
#include "train/record_exits.h"
#include "train/signals.h"
#include "train/slowdowns.h"
#include "train/station.h"
#include "train/stretches.h"
#include "train/train_keywords.h"

namespace scenario {

namespace {

constexpr RecordOutcome go_on = RecordOutcome::go_on;

// The working values of one train half.
struct TrainWork {
  FillCursor speed;
  FillCursor adhesion;
  std::int32_t station_counter = kFirstStationSlot;
};

// Everything up to and including the first field holding "[generale]" is preamble. An empty
// file, or one without that field, is read to its end and no record follows: false.
bool skip_to_general(ScenarioState& state, const ParseContext& context, FieldReader& reader) {
  while (!reader.at_end()) {
    state.text_line = reader.read_keyword();
    if (contains_ignoring_case(state.text_line, "[generale]")) {
      if (context.observer) {
        context.observer->section_head(reader.last_field(), SectionRole::opens_data);
      }
      return true;
    }
  }
  return false;
}

// Tests the keyword field against every keyword in a fixed order. Each keyword found runs its
// handler, which reads its own fields, so one field holding two keywords reads two records.
RecordOutcome handle_keyword_field(ScenarioState& state, ParseContext& context, FieldReader& reader,
                                   TrainWork& work) {
  using namespace train_keyword;
  const std::string field = state.text_line;
  const auto record = [&](const KeywordRule& rule, auto&& handler) {
    return matches(rule, field) ? read_record(context, reader, rule.record, handler) : go_on;
  };
  // The general records store each value as it is read and never end the loop.
  const auto general = [](auto&& read) {
    return [read] {
      read();
      return go_on;
    };
  };

  record(kBrakedMass, general([&] { read_braked_mass(state, reader); }));
  record(kCarCount, general([&] { read_car_count(state, reader); }));
  RecordOutcome o =
      record(kSpeedLimit, [&] { return speed_record(state, context, reader, work.speed); });
  if (o != go_on) return o;
  o = record(kAdhesion, [&] { return adhesion_record(state, context, reader, work.adhesion); });
  if (o != go_on) return o;
  record(kClock, general([&] { read_clock(state, reader); }));
  record(kSand, general([&] { read_sand(state, reader); }));
  o = record(kSignal, [&] { return signal_record(state, context, reader); });
  if (o != go_on) return o;
  o = record(kSlowdown, [&] { return slowdown_record(state, context, reader); });
  if (o != go_on) return o;
  o = record(kCodeChange, [&] { return code_change_record(state, context, reader); });
  if (o != go_on) return o;
  return record(kStation,
                [&] { return station_record(state, context, reader, work.station_counter); });
}

// Handles records until the end of the file (go_on), an error 15 (part_ends) or an exit that
// ended the parse (leave).
RecordOutcome record_loop(ScenarioState& state, ParseContext& context, FieldReader& reader,
                          TrainWork& work) {
  while (!reader.at_end()) {
    // A field holding "-" is a comment or a separator: up to two in a row are passed over, and
    // the last field of the file is never interpreted.
    if (!next_keyword_field(state, context, reader, kRecordComments)) break;
    const RecordOutcome outcome = handle_keyword_field(state, context, reader, work);
    if (outcome != go_on) return outcome;
    keyword_tested(context, SectionRole::other);
  }
  return go_on;
}

// How the reading of the train file ended, for an observer.
FileEnd file_end(RecordOutcome records, bool has_data) {
  switch (records) {
    case RecordOutcome::leave:
      return FileEnd::parse_left;
    case RecordOutcome::part_ends:
      return FileEnd::part_ended;
    case RecordOutcome::go_on:
      break;
  }
  return has_data ? FileEnd::end_of_file : FileEnd::no_data;
}

// The simulator places the kilometre progressives on cell boundaries.
void test_progressives(ScenarioState& state) {
  for (int slot : {kProgressiveTreSlot, kProgressiveDueSlot, kProgressiveUnoSlot}) {
    const SimSlot& progressive = state.sim_table[static_cast<std::size_t>(slot)];
    if (progressive.zone_start % 50 != 0 || progressive.zone_end % 50 != 0) {
      record_failure(state, FailureCode::progressive_off_cells);
    }
  }
}

}  // namespace

void train_half(ScenarioState& state, ParseContext& context) {
  context.reading = TextFile::train;
  // The line of the route's last record means nothing in the train file: a train file that
  // cannot be opened has no line to report.
  context.record_line = 0;
  ReadObserver* const observer = context.observer;
  if (observer) observer->file_started(TextFile::train, context.train_name);
  FieldReader reader = open_text_file(*context.folder, context.train_name, observer);
  const bool has_data = skip_to_general(state, context, reader);

  TrainWork work;
  const RecordOutcome records = record_loop(state, context, reader, work);
  if (observer) observer->file_ended(TextFile::train, file_end(records, has_data));
  if (records == RecordOutcome::leave) return;

  delete_train_file(context);
  speed_tail(state, context, work.speed);
  adhesion_tail(state, context, work.adhesion);
  test_progressives(state);
}

}  // namespace scenario
