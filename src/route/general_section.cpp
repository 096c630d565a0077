#include "route/general_section.h"

#include <string>
#include <string_view>

#include "route/cell_access.h"
#include "route/keywords.h"
#include "route/route_fields.h"

namespace scenario {

namespace {

constexpr std::int32_t kLongestRoute = 1000000;
// Cells and plan reach this far beyond the end of the line.
constexpr std::int32_t kRunOut = 7000;
// Comment fields (holding "-") passed over in a row before one is taken as a keyword field.
constexpr int kCommentFieldsPassedOver = 10;

constexpr std::int32_t kRouteLengthRefused = 1;
constexpr std::int32_t kCabStartNotOnCell = 3;
constexpr std::int32_t kCabEndNotOnCell = 4;
constexpr std::int32_t kNoCodeSystem = 5;
constexpr std::int32_t kNoGeneralSection = 102;

bool ends_general_section(std::string_view field) {
  if (!contains(field, "[") || !contains(field, "]")) return false;
  const std::size_t first = field.find_first_not_of(' ');
  return field[first] != '-';
}

RouteStep read_route_length(ScenarioState& state, ParseContext& context, FieldReader& reader) {
  const std::int32_t length = reader.read_i32();
  // A refused length is not stored, so slot 84 never disagrees with the tables written out.
  if (length < 0 || length > kLongestRoute) {
    record_route_failure_keeping_position(state, context, kRouteLengthRefused);
    return RouteStep::leave;
  }
  state.sim_table[kTrainRouteSlot].zone_end = length;
  state.route_span = length + kRunOut;
  state.cells.emplace(static_cast<std::int32_t>(cell_index(state.route_span / 50.0)));
  if (state.profile_flag != 0) state.line_profile.emplace(state.route_span);
  return RouteStep::go_on;
}

void read_progressive(SimSlot& slot, FieldReader& reader) {
  slot.zone_start = reader.read_i32();
  slot.zone_end = reader.read_i32();
  slot.position = reader.read_i32();
}

void read_backgrounds(ScenarioState& state, std::string_view keyword, FieldReader& reader) {
  SimSlot& line = state.sim_table[kLineSlot];
  if (!contains(keyword, "sfondo")) return;
  if (contains(keyword, "uno")) line.zone_start = reader.read_i32();
  if (contains(keyword, "due")) line.position = reader.read_i32();
  if (contains(keyword, "tre")) line.zone_end = reader.read_i32();
}

RouteStep read_cab_signalling(ScenarioState& state, ParseContext& context, std::string_view keyword,
                              FieldReader& reader) {
  SimSlot& train = state.sim_table[kTrainSlot];
  train.zone_start = reader.read_i32();
  train.zone_end = reader.read_i32();
  if (train.zone_start % 50 != 0) {
    record_route_failure_keeping_position(state, context, kCabStartNotOnCell);
    return RouteStep::leave;
  }
  if (train.zone_end % 50 != 0) {
    record_route_failure_keeping_position(state, context, kCabEndNotOnCell);
    return RouteStep::leave;
  }
  // The keyword field itself names the code system; "4" wins when both digits are there.
  if (contains(keyword, "4")) {
    train.position = 4;
  } else if (contains(keyword, "9")) {
    train.position = 9;
  } else {
    record_route_failure_keeping_position(state, context, kNoCodeSystem);
    return RouteStep::leave;
  }
  if (train.zone_end == 0) train.position = 0;
  return RouteStep::go_on;
}

// Every matching test reads its own fields, in this order, from the same keyword field.
RouteStep read_general_record(ScenarioState& state, ParseContext& context, std::string_view keyword,
                              FieldReader& reader) {
  if (contains_ignoring_case(keyword, "lunghezza") && contains_ignoring_case(keyword, "percorso")) {
    if (read_route_length(state, context, reader) == RouteStep::leave) return RouteStep::leave;
  }
  if (contains(keyword, "progressiva")) {
    if (contains(keyword, "tre")) read_progressive(state.sim_table[kProgressiveTreSlot], reader);
    if (contains(keyword, "due")) read_progressive(state.sim_table[kProgressiveDueSlot], reader);
    if (contains(keyword, "uno")) read_progressive(state.sim_table[kProgressiveUnoSlot], reader);
  }
  read_backgrounds(state, keyword, reader);
  if (contains(keyword, "segnali") && contains(keyword, "ripetizione")) {
    return read_cab_signalling(state, context, keyword, reader);
  }
  return RouteStep::go_on;
}

}  // namespace

RouteStep skip_preamble(ScenarioState& state, ParseContext& context, FieldReader& reader) {
  while (true) {
    const std::string field = read_keyword_field(state, context, reader);
    // The end comes first: a "[generale]" that is the last field still leaves no section.
    if (reader.at_end()) {
      record_route_failure_keeping_position(state, context, kNoGeneralSection);
      return RouteStep::leave;
    }
    if (contains_ignoring_case(field, "[generale]")) return RouteStep::go_on;
  }
}

RouteStep read_general_section(ScenarioState& state, ParseContext& context, FieldReader& reader) {
  while (!reader.at_end()) {
    std::string keyword = read_keyword_field(state, context, reader);
    // The last field of the file is never interpreted.
    if (reader.at_end()) break;
    // Comment fields are passed over without looking for the end of the file between them.
    for (int passed = 0; passed < kCommentFieldsPassedOver && contains(keyword, "-"); ++passed) {
      keyword = read_keyword_field(state, context, reader);
    }
    if (read_general_record(state, context, keyword, reader) == RouteStep::leave) {
      return RouteStep::leave;
    }
    if (ends_general_section(keyword)) break;
  }
  return RouteStep::go_on;
}

}  // namespace scenario
