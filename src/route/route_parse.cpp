#include "route/route_parse.h"

#include <string>

#include "parse/cell_access.h"
#include "parse/field_reader.h"
#include "parse/keyword_fields.h"
#include "parse/keywords.h"
#include "parse/read_failure.h"
#include "parse/read_fault.h"
#include "parse/text_files.h"
#include "route/direction_boards.h"
#include "route/general_section.h"
#include "route/gradients.h"
#include "route/line_plan.h"
#include "route/mountains.h"
#include "route/progressives.h"
#include "route/route_keywords.h"
#include "route/speed_boards.h"

namespace scenario {

namespace {

constexpr RecordOutcome go_on = RecordOutcome::go_on;

// Working values the feature records share.
struct FeatureCursors {
  FillCursor gradients;
  std::int32_t profile_row = kFirstComputedRow;
};

// The route file is held in memory once read, so closing it is deleting it. A file that cannot
// be deleted is a read fault.
void delete_route_file(const ParseContext& context) {
  remove_text_file_or_fault(*context.folder, context.route_name);
}

RecordOutcome part_ends_at(ScenarioState& state, const ParseContext& context,
                           std::int32_t position) {
  record_read_failure(state, context, FailureCode::record_beyond_cells, position);
  return RecordOutcome::part_ends;
}

// The bound test every feature record makes on its first number. Throws ReadFault when no route
// length has created the cells.
bool fails_bound_test(const ScenarioState& state, std::int64_t position) {
  return record_outside_cells(state, position, kRecordMargin);
}

// A board far enough before 0 m would stand before cell 0.
bool board_cell_outside(const ScenarioState& state, std::int32_t position) {
  return cell_outside(state, cell_index(position / 50.0 + 1));
}

RecordOutcome gradient_record(ScenarioState& state, const ParseContext& context,
                              FieldReader& reader, FeatureCursors& cursors) {
  const std::int32_t position = reader.read_i32();
  const std::int32_t value = reader.read_i32();
  if (fails_bound_test(state, position)) return part_ends_at(state, context, position);
  apply_gradient_record(state, cursors.gradients, position, value);
  return go_on;
}

RecordOutcome curve_record(ScenarioState& state, const ParseContext& context, FieldReader& reader,
                           std::string_view keyword, FeatureCursors& cursors) {
  const std::int32_t position = reader.read_i32();
  const std::int32_t length = reader.read_i32();
  if (fails_bound_test(state, position)) return part_ends_at(state, context, position);
  const auto k = curve_heading_change(keyword);
  if (!k) {
    record_read_failure(state, context, FailureCode::curve_refused);
    return RecordOutcome::leave;
  }
  // A curve whose rows would run past the plan's last row is refused before it turns any row,
  // unless the rows would first pass the plan's row limit, which ends them with 103.
  if (curve_passes_plan_end(state, position, length)) {
    return part_ends_at(state, context, position);
  }
  // The line runs straight up to the curve's start; a curve starting before the rows already
  // computed only turns the rows still to come.
  if (!straight_rows_through(state, cursors.profile_row, position) ||
      !turning_rows_through(state, cursors.profile_row,
                            static_cast<std::int64_t>(position) + length, *k)) {
    record_read_failure(state, context, FailureCode::curve_refused);
    return RecordOutcome::leave;
  }
  return go_on;
}

RecordOutcome mountain_record(ScenarioState& state, const ParseContext& context,
                              FieldReader& reader) {
  const std::int32_t inizio = reader.read_i32();
  const std::int32_t fine = reader.read_i32();
  std::int32_t tipo = reader.read_i32();
  // Only the start passes the bound test; a mountain whose cells would reach outside the cells
  // is refused the same way.
  if (fails_bound_test(state, inizio) ||
      memo_montagna(state, inizio, fine, tipo) == MountainReach::outside) {
    return part_ends_at(state, context, inizio);
  }
  return go_on;
}

RecordOutcome speed_boards_record(ScenarioState& state, const ParseContext& context,
                                  FieldReader& reader) {
  const std::int32_t posizione = reader.read_i32();
  SpeedBoardPair boards;
  for (std::int32_t* value : {&boards.vas, &boards.vbs, &boards.vcs, &boards.strisces, &boards.vad,
                              &boards.vbd, &boards.vcd, &boards.strisced}) {
    *value = reader.read_i32();
  }
  if (fails_bound_test(state, posizione) || board_cell_outside(state, posizione)) {
    return part_ends_at(state, context, posizione);
  }
  memo_indicatori_v_max(state, context, posizione, boards);
  return state.failure.recorded() ? RecordOutcome::leave : go_on;
}

RecordOutcome direction_board_record(ScenarioState& state, ParseContext& context,
                                     FieldReader& reader) {
  const std::int32_t position = reader.read_i32();
  state.text_line = reader.read_text();
  if (fails_bound_test(state, position) || board_cell_outside(state, position)) {
    return part_ends_at(state, context, position);
  }
  return store_direction_board(state, context, position, state.text_line) ? go_on
                                                                          : RecordOutcome::leave;
}

// Every matching test runs, in this order, on the same keyword field.
RecordOutcome feature_records(ScenarioState& state, ParseContext& context, FieldReader& reader,
                              std::string_view keyword, FeatureCursors& cursors) {
  using namespace route_keyword;
  const auto record = [&](const KeywordRule& rule, auto&& handler) {
    return matches(rule, keyword) ? read_record(context, reader, rule.record, handler) : go_on;
  };
  RecordOutcome end =
      record(kGradient, [&] { return gradient_record(state, context, reader, cursors); });
  if (end != go_on) return end;
  // Without a plan to build, curve records are not recognised at all.
  if (state.profile_flag != 0) {
    end = record(kCurve, [&] { return curve_record(state, context, reader, keyword, cursors); });
    if (end != go_on) return end;
  }
  end = record(kMountain, [&] { return mountain_record(state, context, reader); });
  if (end != go_on) return end;
  end = record(kSpeedBoards, [&] { return speed_boards_record(state, context, reader); });
  if (end != go_on) return end;
  return record(kDirectionBoard, [&] { return direction_board_record(state, context, reader); });
}

// Reads feature records to the end of the file or to a record beyond the cells (code 15), after
// which the parse goes on (part_ends). Returns leave for every other recorded failure.
RecordOutcome read_feature_part(ScenarioState& state, ParseContext& context, FieldReader& reader,
                                FeatureCursors& cursors) {
  while (!reader.at_end()) {
    // The last field of the file is never interpreted.
    if (!next_keyword_field(state, context, reader, kRecordComments)) break;
    const std::string keyword = state.text_line;
    const RecordOutcome end = feature_records(state, context, reader, keyword, cursors);
    if (end != go_on) return end;
    keyword_tested(context, SectionRole::other);
  }
  return go_on;
}

RouteOutcome leave_deleting(const ParseContext& context) {
  if (context.observer) context.observer->file_ended(TextFile::route, FileEnd::parse_left);
  delete_route_file(context);
  return RouteOutcome::leave;
}

}  // namespace

RouteOutcome route_half(ScenarioState& state, ParseContext& context) {
  context.reading = TextFile::route;
  // A lookup the folder refuses says nothing about the file: it is a read fault, not 101.
  if (!text_file_found(*context.folder, context.route_name)) {
    record_read_failure(state, context, FailureCode::no_route_file);
    return RouteOutcome::leave;
  }
  if (context.observer) context.observer->file_started(TextFile::route, context.route_name);
  FieldReader reader = open_text_file(*context.folder, context.route_name, context.observer);

  if (skip_preamble(state, context, reader) == RecordOutcome::leave ||
      read_general_section(state, context, reader) == RecordOutcome::leave) {
    return leave_deleting(context);
  }

  progressive_ordina(state);
  state.mountain_count = 0;
  context.next_board_slot = kFirstBoardSlot;
  FeatureCursors cursors;
  if (state.profile_flag != 0) seed_line_plan(state);

  const RecordOutcome features = read_feature_part(state, context, reader, cursors);
  if (features == RecordOutcome::leave) return leave_deleting(context);
  if (context.observer) {
    context.observer->file_ended(TextFile::route, features == RecordOutcome::part_ends
                                                      ? FileEnd::part_ended
                                                      : FileEnd::end_of_file);
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
