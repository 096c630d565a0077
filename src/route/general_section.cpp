#include "route/general_section.h"

#include <string>
#include <string_view>

#include "parse/cell_access.h"
#include "parse/keyword_fields.h"
#include "parse/keywords.h"
#include "parse/read_failure.h"
#include "route/route_keywords.h"

namespace scenario {

namespace {

constexpr std::int32_t kLongestRoute = 1000000;
// Cells and plan reach this far beyond the end of the line.
constexpr std::int32_t kRunOut = 7000;

constexpr RecordOutcome go_on = RecordOutcome::go_on;

RecordOutcome read_route_length(ScenarioState& state, ParseContext& context, FieldReader& reader) {
  const std::int32_t length = reader.read_i32();
  // A refused length is not stored, so slot 84 never disagrees with the tables written out.
  if (length < 0 || length > kLongestRoute) {
    record_read_failure(state, context, FailureCode::route_length_refused);
    return RecordOutcome::leave;
  }
  state.sim_table[kTrainRouteSlot].zone_end = length;
  state.route_span = length + kRunOut;
  state.cells.emplace(static_cast<std::int32_t>(cell_index(state.route_span / 50.0)));
  if (state.profile_flag != 0) state.line_profile.emplace(state.route_span);
  return go_on;
}

RecordOutcome read_progressive(SimSlot& slot, FieldReader& reader) {
  slot.zone_start = reader.read_i32();
  slot.zone_end = reader.read_i32();
  slot.position = reader.read_i32();
  return go_on;
}

RecordOutcome read_background(std::int32_t& field, FieldReader& reader) {
  field = reader.read_i32();
  return go_on;
}

RecordOutcome read_cab_signalling(ScenarioState& state, ParseContext& context,
                                  std::string_view keyword, FieldReader& reader) {
  SimSlot& train = state.sim_table[kTrainSlot];
  train.zone_start = reader.read_i32();
  train.zone_end = reader.read_i32();
  if (train.zone_start % 50 != 0) {
    record_read_failure(state, context, FailureCode::cab_start_off_cells);
    return RecordOutcome::leave;
  }
  if (train.zone_end % 50 != 0) {
    record_read_failure(state, context, FailureCode::cab_end_off_cells);
    return RecordOutcome::leave;
  }
  // The keyword field itself names the code system; "4" wins when both digits are there.
  if (contains(keyword, "4")) {
    train.position = 4;
  } else if (contains(keyword, "9")) {
    train.position = 9;
  } else {
    record_read_failure(state, context, FailureCode::no_code_system);
    return RecordOutcome::leave;
  }
  if (train.zone_end == 0) train.position = 0;
  return go_on;
}

// Every matching test reads its own fields, in this order, from the same keyword field.
RecordOutcome read_general_record(ScenarioState& state, ParseContext& context,
                                  std::string_view keyword, FieldReader& reader) {
  using namespace route_keyword;
  SimTable& table = state.sim_table;
  const auto record = [&](const KeywordRule& rule, auto&& handler) {
    return matches(rule, keyword) ? read_record(context, reader, rule.record, handler) : go_on;
  };
  if (record(kRouteLength, [&] { return read_route_length(state, context, reader); }) != go_on) {
    return RecordOutcome::leave;
  }
  record(kProgressiveTre, [&] { return read_progressive(table[kProgressiveTreSlot], reader); });
  record(kProgressiveDue, [&] { return read_progressive(table[kProgressiveDueSlot], reader); });
  record(kProgressiveUno, [&] { return read_progressive(table[kProgressiveUnoSlot], reader); });
  SimSlot& line = table[kLineSlot];
  record(kBackgroundUno, [&] { return read_background(line.zone_start, reader); });
  record(kBackgroundDue, [&] { return read_background(line.position, reader); });
  record(kBackgroundTre, [&] { return read_background(line.zone_end, reader); });
  return record(kCabSignalling,
                [&] { return read_cab_signalling(state, context, keyword, reader); });
}

}  // namespace

RecordOutcome skip_preamble(ScenarioState& state, ParseContext& context, FieldReader& reader) {
  while (true) {
    read_keyword_field(state, context, reader);
    // The end comes first: a "[generale]" that is the last field still leaves no section.
    if (reader.at_end()) {
      record_read_failure(state, context, FailureCode::no_general_section);
      return RecordOutcome::leave;
    }
    if (contains_ignoring_case(state.text_line, "[generale]")) {
      if (context.observer)
        context.observer->section_head(context.keyword, SectionRole::opens_data);
      return go_on;
    }
  }
}

RecordOutcome read_general_section(ScenarioState& state, ParseContext& context,
                                   FieldReader& reader) {
  while (!reader.at_end()) {
    // The last field of the file is never interpreted; comment fields are passed over without
    // looking for the end of the file between them.
    if (!next_keyword_field(state, context, reader, kGeneralSectionComments)) break;
    const std::string keyword = state.text_line;
    if (read_general_record(state, context, keyword, reader) == RecordOutcome::leave) {
      return RecordOutcome::leave;
    }
    keyword_tested(context, SectionRole::ends_general);
    if (is_section_head(keyword)) break;
  }
  return go_on;
}

}  // namespace scenario
