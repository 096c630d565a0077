#include "train/train_parse.h"

#include <string>

#include "route/field_reader.h"
#include "route/keywords.h"
#include "train/code_change_record.h"
#include "train/general_records.h"
#include "train/record_exits.h"
#include "train/signals.h"
#include "train/slowdowns.h"
#include "train/station.h"
#include "train/stretches.h"

namespace scenario {

namespace {

constexpr std::int32_t kProgressiveOffCells = 2;

// The working values of one train half.
struct TrainWork {
  Stretch speed;
  Stretch adhesion;
  std::int32_t station_counter = kFirstStationSlot;
};

// Everything up to and including the first field holding "[generale]" is preamble. An empty
// file, or one without that field, is read to its end and no record follows.
void skip_to_general(ScenarioState& state, FieldReader& reader) {
  while (!reader.at_end()) {
    state.text_line = reader.read_text();
    if (contains_ignoring_case(state.text_line, "[generale]")) return;
  }
}

// Reads one field as a keyword field. False when it was the last field of the file, which is
// never interpreted.
bool read_keyword_field(ScenarioState& state, ParseContext& context, FieldReader& reader) {
  state.text_line = reader.read_text();
  context.record_line = reader.line();
  return !reader.at_end();
}

// The next keyword field. A field holding "-" is a comment or a separator: up to two in a row
// are passed over, and a third one is taken as the keyword field.
bool next_keyword_field(ScenarioState& state, ParseContext& context, FieldReader& reader) {
  if (!read_keyword_field(state, context, reader)) return false;
  for (int passed_over = 0; passed_over < 2 && contains(state.text_line, "-"); ++passed_over) {
    if (!read_keyword_field(state, context, reader)) return false;
  }
  return true;
}

// Tests the keyword field against every keyword in a fixed order. Each keyword found runs its
// handler, which reads its own fields, so one field holding two keywords reads two records.
RecordOutcome handle_keyword_field(ScenarioState& state, ParseContext& context, FieldReader& reader,
                                   TrainWork& work) {
  const std::string field = state.text_line;
  const auto has = [&field](std::string_view word) { return contains_ignoring_case(field, word); };
  constexpr RecordOutcome go_on = RecordOutcome::go_on;

  if (has("massa") && has("frenata")) read_braked_mass(state, reader);
  if (has("vetture")) read_car_count(state, reader);
  if (has("velocit")) {
    if (auto o = speed_record(state, context, reader, work.speed); o != go_on) return o;
  }
  if (has("aderenza")) {
    if (auto o = adhesion_record(state, context, reader, work.adhesion); o != go_on) return o;
  }
  if (has("orologio")) read_clock(state, reader);
  if (has("sabbia")) read_sand(state, reader);
  if (has("segnale")) {
    if (auto o = signal_record(state, context, reader); o != go_on) return o;
  }
  if (has("rallentamento")) {
    if (auto o = slowdown_record(state, context, reader); o != go_on) return o;
  }
  if (has("abbattimento")) {
    if (auto o = code_change_record(state, context, reader); o != go_on) return o;
  }
  if (has("stazione")) return station_record(state, context, reader, work.station_counter);
  return go_on;
}

// Handles records until the end of the file (go_on), an error 15 (leave_loop) or an exit that
// ended the parse (parse_ended).
RecordOutcome record_loop(ScenarioState& state, ParseContext& context, FieldReader& reader,
                          TrainWork& work) {
  while (!reader.at_end()) {
    if (!next_keyword_field(state, context, reader)) break;
    const RecordOutcome outcome = handle_keyword_field(state, context, reader, work);
    if (outcome != RecordOutcome::go_on) return outcome;
  }
  return RecordOutcome::go_on;
}

// The simulator places the kilometre progressives on cell boundaries.
void test_progressives(ScenarioState& state) {
  for (int slot : {kProgressiveTreSlot, kProgressiveDueSlot, kProgressiveUnoSlot}) {
    const SimSlot& progressive = state.sim_table[static_cast<std::size_t>(slot)];
    if (progressive.zone_start % 50 != 0 || progressive.zone_end % 50 != 0) {
      record_failure_keeping_position(state, kProgressiveOffCells);
    }
  }
}

}  // namespace

void train_half(ScenarioState& state, ParseContext& context) {
  context.reading = ErrorSource::train_file;
  // The line of the route's last record means nothing in the train file: a train file that
  // cannot be opened has no line to report.
  context.record_line = 0;
  FieldReader reader = FieldReader::open(context.train_path);
  skip_to_general(state, reader);

  TrainWork work;
  if (record_loop(state, context, reader, work) == RecordOutcome::parse_ended) return;

  delete_train_file(context);
  speed_tail(state, context, work.speed);
  adhesion_tail(state, context, work.adhesion);
  test_progressives(state);
}

}  // namespace scenario
