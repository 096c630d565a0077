#include "route/route_parse.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "route/cell_access.h"
#include "route/direction_boards.h"
#include "route/field_reader.h"
#include "route/general_section.h"
#include "route/gradients.h"
#include "route/keywords.h"
#include "route/line_plan.h"
#include "route/mountains.h"
#include "route/progressives.h"
#include "route/route_fields.h"
#include "route/route_step.h"
#include "route/speed_boards.h"

namespace scenario {

namespace {

constexpr std::int32_t kNoRouteFile = 101;
constexpr std::int32_t kRecordBeyondCells = 15;
// A curve keyword without a class digit, or a plan running past row 1000000.
constexpr std::int32_t kCurveRefused = 103;
// Comment fields (holding "-") passed over in a row before one is taken as a keyword field.
constexpr int kCommentFieldsPassedOver = 2;

// How a feature record ended: the next keyword field follows, the feature part ends (code 15),
// or the whole parse leaves.
enum class RecordEnd { next, part_ends, leave };

// Working values the feature records share.
struct FeatureCursors {
  GradientCursor gradients;
  std::int32_t profile_row = kFirstComputedRow;
};

// The route file is held in memory once read, so closing it is deleting it.
void delete_route_file(const ParseContext& context) {
  std::error_code already_gone;
  std::filesystem::remove(context.route_path, already_gone);
}

RecordEnd part_ends_at(ScenarioState& state, const ParseContext& context, std::int32_t position) {
  record_route_failure(state, context, kRecordBeyondCells, position);
  return RecordEnd::part_ends;
}

// The bound test every feature record makes on its first number. Throws ReadFault when no route
// length has created the cells.
bool fails_bound_test(const ScenarioState& state, std::int64_t position) {
  return record_outside_cells(state, position, kRecordMargin);
}

RecordEnd gradient_record(ScenarioState& state, const ParseContext& context, FieldReader& reader,
                          FeatureCursors& cursors) {
  const std::int32_t position = reader.read_i32();
  const std::int32_t value = reader.read_i32();
  if (fails_bound_test(state, position)) return part_ends_at(state, context, position);
  apply_gradient_record(state, cursors.gradients, position, value);
  return RecordEnd::next;
}

RecordEnd curve_record(ScenarioState& state, const ParseContext& context, FieldReader& reader,
                       std::string_view keyword, FeatureCursors& cursors) {
  const std::int32_t position = reader.read_i32();
  const std::int32_t length = reader.read_i32();
  const std::int64_t curve_end = static_cast<std::int64_t>(position) + length;
  if (fails_bound_test(state, position) || curve_end > state.route_span) {
    return part_ends_at(state, context, position);
  }
  const auto k = curve_heading_change(keyword);
  if (!k) {
    record_route_failure_keeping_position(state, context, kCurveRefused);
    return RecordEnd::leave;
  }
  // The line runs straight up to the curve's start; a curve starting before the rows already
  // computed only turns the rows still to come.
  if (!straight_rows_through(state, cursors.profile_row, position) ||
      !turning_rows_through(state, cursors.profile_row, curve_end, *k)) {
    record_route_failure_keeping_position(state, context, kCurveRefused);
    return RecordEnd::leave;
  }
  return RecordEnd::next;
}

RecordEnd mountain_record(ScenarioState& state, const ParseContext& context, FieldReader& reader) {
  std::int32_t inizio = reader.read_i32();
  std::int32_t fine = reader.read_i32();
  std::int32_t tipo = reader.read_i32();
  // Only the start passes the bound test; a mountain whose last cell would lie beyond the cells
  // is refused the same way.
  if (fails_bound_test(state, inizio) || cell_index(fine / 50.0 - 1) > state.cells->last_index()) {
    return part_ends_at(state, context, inizio);
  }
  memo_montagna(state, inizio, fine, tipo);
  return RecordEnd::next;
}

RecordEnd speed_boards_record(ScenarioState& state, const ParseContext& context,
                              FieldReader& reader) {
  const std::int32_t posizione = reader.read_i32();
  SpeedBoardPair boards;
  for (std::int32_t* value : {&boards.vas, &boards.vbs, &boards.vcs, &boards.strisces, &boards.vad,
                              &boards.vbd, &boards.vcd, &boards.strisced}) {
    *value = reader.read_i32();
  }
  if (fails_bound_test(state, posizione)) return part_ends_at(state, context, posizione);
  memo_indicatori_v_max(state, context, posizione, boards);
  return state.error_code > 0 ? RecordEnd::leave : RecordEnd::next;
}

RecordEnd direction_board_record(ScenarioState& state, ParseContext& context, FieldReader& reader) {
  const std::int32_t position = reader.read_i32();
  state.text_line = reader.read_text();
  if (fails_bound_test(state, position)) return part_ends_at(state, context, position);
  return store_direction_board(state, context, position, state.text_line) ? RecordEnd::next
                                                                          : RecordEnd::leave;
}

// Every matching test runs, in this order, on the same keyword field.
RecordEnd feature_records(ScenarioState& state, ParseContext& context, FieldReader& reader,
                          std::string_view keyword, FeatureCursors& cursors) {
  RecordEnd end = RecordEnd::next;
  if (contains_ignoring_case(keyword, "pendenza")) {
    end = gradient_record(state, context, reader, cursors);
    if (end != RecordEnd::next) return end;
  }
  // Without a plan to build, curve records are not recognised at all.
  if (state.profile_flag != 0 && contains_ignoring_case(keyword, "curva")) {
    end = curve_record(state, context, reader, keyword, cursors);
    if (end != RecordEnd::next) return end;
  }
  if (contains_ignoring_case(keyword, "montagna")) {
    end = mountain_record(state, context, reader);
    if (end != RecordEnd::next) return end;
  }
  if (contains_ignoring_case(keyword, "indicatori_v")) {
    end = speed_boards_record(state, context, reader);
    if (end != RecordEnd::next) return end;
  }
  if (contains_ignoring_case(keyword, "cartello") && contains_ignoring_case(keyword, "indicat")) {
    end = direction_board_record(state, context, reader);
  }
  return end;
}

// Reads feature records to the end of the file or to a record beyond the cells (code 15), after
// which the parse goes on. Returns leave for every other recorded failure.
RouteStep read_feature_part(ScenarioState& state, ParseContext& context, FieldReader& reader,
                            FeatureCursors& cursors) {
  while (!reader.at_end()) {
    std::string keyword = read_keyword_field(state, context, reader);
    // The last field of the file is never interpreted.
    if (reader.at_end()) break;
    for (int passed = 0; passed < kCommentFieldsPassedOver && contains(keyword, "-"); ++passed) {
      keyword = read_keyword_field(state, context, reader);
      if (reader.at_end()) return RouteStep::go_on;
    }
    switch (feature_records(state, context, reader, keyword, cursors)) {
      case RecordEnd::next:
        break;
      case RecordEnd::part_ends:
        return RouteStep::go_on;
      case RecordEnd::leave:
        return RouteStep::leave;
    }
  }
  return RouteStep::go_on;
}

RouteOutcome leave_deleting(const ParseContext& context) {
  delete_route_file(context);
  return RouteOutcome::leave;
}

}  // namespace

RouteOutcome route_half(ScenarioState& state, ParseContext& context) {
  context.reading = ErrorSource::route_file;
  std::error_code lookup_failed;
  if (!std::filesystem::exists(context.route_path, lookup_failed)) {
    record_route_failure_keeping_position(state, context, kNoRouteFile);
    return RouteOutcome::leave;
  }
  FieldReader reader = FieldReader::open(context.route_path);

  if (skip_preamble(state, context, reader) == RouteStep::leave ||
      read_general_section(state, context, reader) == RouteStep::leave) {
    return leave_deleting(context);
  }

  progressive_ordina(state);
  state.mountain_count = 0;
  context.next_board_slot = kFirstBoardSlot;
  FeatureCursors cursors;
  if (state.profile_flag != 0) seed_line_plan(state);

  if (read_feature_part(state, context, reader, cursors) == RouteStep::leave) {
    return leave_deleting(context);
  }
  delete_route_file(context);

  fill_gradient_tail(state, cursors.gradients);
  if (state.profile_flag != 0) {
    straight_rows_to_end(state, cursors.profile_row,
                         static_cast<std::int64_t>(state.route_span) - 2);
  }
  return RouteOutcome::read_train;
}

}  // namespace scenario
