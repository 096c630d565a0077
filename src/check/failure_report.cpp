#include "check/failure_report.h"

#include <algorithm>

#include "check/keyword_catalog.h"
#include "model/code_page_1252.h"
#include "model/error_meanings.h"
#include "parse/cell_access.h"
#include "route/route_keywords.h"
#include "train/train_keywords.h"

namespace scenario::check {

namespace {

using enum FailureCode;

// The author's code page 1252 text, quoted as UTF-8 like the rest of the message. Built piece
// by piece: the literal-plus-string form gives optimised builds a false restrict warning.
std::string in_quotes(std::string_view text) {
  std::string quoted;
  quoted.reserve(text.size() + 2);
  quoted.push_back('"');
  quoted.append(code_page_1252_to_utf8(text));
  quoted.push_back('"');
  return quoted;
}
std::string metres(std::int64_t m) { return std::to_string(m) + " m"; }
std::string cell_name(std::int64_t index) { return "cell " + std::to_string(index); }

SourceSpan span_of(const FieldSpot& spot) {
  return {spot.file, spot.line, spot.column, spot.line, spot.column + std::max(spot.length, 1)};
}

DiagnosticNote note_at(const FieldSpot& spot, std::string message) {
  return {span_of(spot), std::move(message)};
}

DiagnosticNote plain_note(std::string message) { return {{}, std::move(message)}; }

// The record the failure was recorded for: the one being read at the failure's line.
// The record the failure was recorded for: the one that stopped the records at the failure's
// line or, for a read fault, the one being read.
const RecordTrace* failing_record(const CompileFacts& facts, const ReadingTrace& trace) {
  if (facts.line == 0) return nullptr;
  for (const std::optional<RecordTrace>* candidate : {&trace.stopped, &trace.current}) {
    if (*candidate && (*candidate)->keyword.file == facts.source &&
        (*candidate)->first_line == facts.line) {
      return &**candidate;
    }
  }
  return nullptr;
}

std::int64_t at_cell(double quotient) { return cell_index(quotient); }

// The cell a record's object goes on, by the rules of its handler.
std::int64_t object_cell(FailureCode code, const CompileFacts& facts, const RecordTrace* record) {
  const double p = facts.error_position;
  switch (code) {
    case code_change_on_taken_cell:
      return at_cell(p / 50.0);
    case slowdown_warning_taken:
      return at_cell((p - 1200) / 50.0 + 1);
    case slowdown_end_taken: {
      const FieldSpot* length = record ? record->field(2) : nullptr;
      return at_cell((p + (length ? static_cast<double>(length->number) : 0.0)) / 50.0 + 1);
    }
    default:
      return at_cell(p / 50.0 + 1);
  }
}

std::string what_holds(CellKind kind) {
  switch (kind) {
    case CellKind::signal:
      return "the signal";
    case CellKind::slowdown_end:
      return "the end of the slowdown";
    case CellKind::slowdown_start:
      return "the start of the slowdown";
    case CellKind::slowdown_warning:
      return "the warning point of the slowdown";
    case CellKind::slowdown_approach:
      return "an approach cell of the slowdown";
    case CellKind::speed_boards:
      return "the speed boards";
    case CellKind::station_stop:
      return "the stop point of the station";
    case CellKind::mountain_mark:
      return "a mark of the mountain";
    case CellKind::code_change:
      return "the code change";
    case CellKind::code_cut:
      return "the code cut";
    case CellKind::direction_board:
      return "the direction board";
    case CellKind::empty:
      break;
  }
  return "nothing";
}

const WatchedCell* watched(std::span<const WatchedCell> cells, std::int64_t index) {
  const auto found = std::find_if(cells.begin(), cells.end(),
                                  [index](const WatchedCell& c) { return c.index == index; });
  return found == cells.end() || !found->exists ? nullptr : &*found;
}

bool taken(const TrackCell& cell) { return !cell.is_free(); }

// "cell 240 already holds the signal placed here", pointing at the record that placed it.
void note_holder(std::vector<DiagnosticNote>& notes, const WatchedCell* cell, std::string_view lead,
                 bool at_end) {
  if (!cell) return;
  const TrackCell& held = at_end ? cell->at_end : cell->after_parse;
  if (!taken(held)) return;
  if (at_end && cell->placed_by_pass()) {
    notes.push_back(plain_note(std::string(lead) + " " + what_holds(held.kind) +
                               " that the code-change pass placed there"));
    return;
  }
  const std::string message = std::string(lead) + " " + what_holds(held.kind) + " placed here";
  if (cell->owner) {
    notes.push_back(note_at(cell->owner->where, message));
  } else {
    notes.push_back(plain_note(std::string(lead) + " " + what_holds(held.kind)));
  }
}

void notes_for_taken_cell(std::vector<DiagnosticNote>& notes, FailureCode code,
                          const CompileFacts& facts, const RecordTrace* record,
                          std::span<const WatchedCell> cells) {
  if (code == slowdown_approach_taken) {
    const std::int64_t h = object_cell(slowdown_warning_taken, facts, record) - 1;
    for (std::int64_t c = h; c > h - 4; --c) {
      note_holder(notes, watched(cells, c), "approach " + cell_name(c) + " already holds", false);
    }
    return;
  }
  const std::int64_t c = object_cell(code, facts, record);
  std::string lead = cell_name(c);
  if (code == slowdown_warning_taken) lead += ", the warning point 1200 m before the start,";
  note_holder(notes, watched(cells, c), lead + " already holds", false);
}

void notes_for_placement(std::vector<DiagnosticNote>& notes, FailureCode code,
                         const CompileFacts& facts, std::span<const WatchedCell> cells) {
  const std::int64_t i = facts.error_position / 50;
  if (code == no_cell_before_signal) {
    note_holder(notes, watched(cells, i), cell_name(i) + " holds", true);
    for (std::int64_t c : {i - 1, i - 2}) {
      note_holder(notes, watched(cells, c), "the cell before it, " + cell_name(c) + ", holds",
                  true);
    }
    return;
  }
  if (code == no_cell_in_approach_window) {
    note_holder(notes, watched(cells, i), cell_name(i) + " holds", true);
    for (std::int64_t first : {i - 5, i - 11, i - 18}) {
      const std::int64_t window[] = {first, first - 1, first - 2};
      const bool full = std::all_of(std::begin(window), std::end(window), [&](std::int64_t c) {
        const WatchedCell* w = watched(cells, c);
        return w && taken(w->at_end) && !w->placed_by_pass();
      });
      if (!full) continue;
      for (std::int64_t c : window) {
        note_holder(notes, watched(cells, c), "window " + cell_name(c) + " holds", true);
      }
    }
    return;
  }
  for (std::int64_t c : {i - 1, i, i + 1}) {
    note_holder(notes, watched(cells, c), cell_name(c) + " holds", true);
  }
}

void notes_for_beyond_cells(std::vector<DiagnosticNote>& notes, const CompileFacts& facts,
                            const ReadingTrace& trace, const ScenarioState& state,
                            const RecordTrace* record) {
  if (!state.cells) return;
  const std::int64_t last = state.cells->last_index();
  const std::int64_t position = facts.error_position;
  const bool station = record && record->id == train_keyword::kStation.record;
  const std::int64_t margin = station ? kStationMargin : kRecordMargin;
  if (position < 0) {
    notes.push_back(plain_note("at a negative position its cell would lie before cell 0"));
    return;
  }
  if (position + margin > 50 * last) {
    const std::string message =
        "the cells end at " + cell_name(last) + " (the route's length plus 7000 m): a " +
        (station ? "station" : "record") + " needs its position + " + metres(margin) +
        " within them, so at most " + metres(50 * last - margin);
    notes.push_back(trace.route_length ? note_at(*trace.route_length, message)
                                       : plain_note(message));
    return;
  }
  if (!record) return;
  const FieldSpot* second = record->field(1);
  const FieldSpot* third = record->field(2);
  if (record->id == train_keyword::kSlowdown.record && third) {
    const std::int64_t end = position + third->number;
    notes.push_back(note_at(
        *third, "its end, at " + metres(end) + ", lies " +
                    (end < 0 ? "before cell 0" : "beyond the last cell, " + cell_name(last))));
  } else if (record->id == route_keyword::kMountain.record && second) {
    notes.push_back(note_at(*second, "its end, at " + metres(second->number) +
                                         ", lies beyond the last cell, " + cell_name(last)));
  } else if (record->id == route_keyword::kCurve.record && second) {
    notes.push_back(note_at(*second, "its end, at " + metres(position + second->number) +
                                         ", lies beyond the plan's last metre, " +
                                         metres(state.route_span)));
  }
}

void notes_for_read_fault(std::vector<DiagnosticNote>& notes, const ReadingTrace& trace,
                          const ScenarioState& state) {
  const RecordTrace* record = trace.current && !trace.current->ended ? &*trace.current : nullptr;
  if (record && trace.refused && trace.refused->file == record->keyword.file) {
    const KeywordRule& rule = rule_of(record->id);
    const auto on_line =
        std::count_if(record->fields.begin(), record->fields.end(),
                      [&](const FieldSpot& f) { return f.line == record->first_line; });
    const std::string needs = "the record " + in_quotes(record->id.name) + " begun here needs " +
                              std::to_string(rule.fields) +
                              (rule.fields == 1 ? " field" : " fields");
    if (trace.refused->length == 0 && trace.refused_why.find("past the end") != std::string::npos) {
      notes.push_back(note_at(record->keyword, needs + ", and the file ends inside it"));
    } else if (trace.refused->line > record->first_line) {
      notes.push_back(note_at(record->keyword, needs + ", but its line holds " +
                                                   std::to_string(on_line) +
                                                   ", so the pack read on into line " +
                                                   std::to_string(trace.refused->line)));
    } else {
      notes.push_back(note_at(record->keyword, needs + "; this is its field " +
                                                   std::to_string(record->fields.size() + 1)));
    }
  }
  if (!state.cells && !trace.route_length) {
    notes.push_back(plain_note(
        "the route file gives no \"lunghezza percorso\" in its general section, so the line "
        "has no cells for any record"));
  }
}

void notes_for_stations(std::vector<DiagnosticNote>& notes, FailureCode code,
                        const ReadingTrace& trace, const ScenarioState& state) {
  const std::size_t s = trace.stations.size();
  if (s == 0 || s >= kFirstBoardSlot) return;
  const SimSlot& slot = state.sim_table[s];
  if (code == stations_too_close && s >= 2) {
    const SimSlot& previous = state.sim_table[s - 1];
    notes.push_back(note_at(trace.stations[s - 2],
                            "the previous station's zone ends at " + metres(previous.zone_end) +
                                ", and this one's begins at " + metres(slot.zone_start) +
                                ", less than 350 m after it"));
  } else if (code == stop_cell_before_line) {
    notes.push_back(plain_note("its zone ends at " + metres(slot.zone_end) +
                               ", so its stop cell would be " +
                               cell_name(at_cell(slot.zone_end / 50.0 - 1))));
  } else if (code == stations_meet_boards) {
    notes.push_back(plain_note(
        "the route's " + std::to_string(trace.direction_boards) +
        " direction boards take the scenario-table slots from 80 down, and the " +
        std::to_string(s) + " stations the slots from 1 up: together they may number at most 78"));
  }
}

void notes_for_progressives(std::vector<DiagnosticNote>& notes, const ReadingTrace& trace) {
  for (const RecordTrace& record : trace.progressives) {
    for (std::size_t k = 0; k < 2; ++k) {
      const FieldSpot* value = record.field(k);
      if (value && value->number % 50 != 0) {
        notes.push_back(note_at(
            *value, "this value of " + in_quotes(record.id.name) + " is not a multiple of 50"));
      }
    }
  }
}

// The field a failure with a line concerns, when the check saw it.
const FieldSpot* failing_field(FailureCode code, const CompileFacts& facts,
                               const ReadingTrace& trace, const RecordTrace* record) {
  if (code == read_fault && trace.refused && trace.refused->file == facts.source &&
      trace.refused->line == facts.line) {
    return &*trace.refused;
  }
  if (!record) return nullptr;
  if (code == route_length_refused || code == cab_start_off_cells) return record->field(0);
  if (code == cab_end_off_cells) return record->field(1);
  if (error_has_position(code)) {
    for (const FieldSpot& field : record->fields) {
      if (field.kind == FieldKind::number && field.number == facts.error_position) return &field;
    }
  }
  return &record->keyword;
}

}  // namespace

std::string recorded_failure_message(const CompileFacts& facts) {
  std::string message(error_meaning(facts.error_code));
  if (!facts.detail.empty()) message += ": " + facts.detail;
  if (error_has_position(facts.error_code)) {
    message += " (at " + metres(facts.error_position) + ")";
  }
  return message;
}

std::vector<std::int64_t> cells_to_watch(const CompileFacts& facts, const ReadingTrace& trace) {
  const FailureCode code = facts.error_code;
  const RecordTrace* record = failing_record(facts, trace);
  std::vector<std::int64_t> cells;
  switch (code) {
    case direction_board_on_taken_cell:
    case code_change_on_taken_cell:
    case signal_on_taken_cell:
    case slowdown_warning_taken:
    case slowdown_start_taken:
    case slowdown_end_taken:
    case speed_boards_on_taken_cell:
      cells.push_back(object_cell(code, facts, record));
      break;
    case slowdown_approach_taken: {
      const std::int64_t h = object_cell(slowdown_warning_taken, facts, record) - 1;
      for (std::int64_t c = h; c > h - 4; --c) cells.push_back(c);
      break;
    }
    case no_cell_before_signal:
    case no_cell_in_approach_window:
    case no_cell_through_slowdown: {
      const std::int64_t i = facts.error_position / 50;
      const std::int64_t around[] = {i - 20, i - 19, i - 18, i - 13, i - 12, i - 11, i - 7,
                                     i - 6,  i - 5,  i - 2,  i - 1,  i,      i + 1};
      cells.assign(std::begin(around), std::end(around));
      break;
    }
    default:
      break;
  }
  if (facts.fatal) cells.push_back(1);
  return cells;
}

std::vector<Diagnostic> failure_diagnostics(const CompileFacts& facts, const ReadingTrace& trace,
                                            const ScenarioState& state,
                                            std::span<const WatchedCell> cells) {
  std::vector<Diagnostic> errors;
  if (facts.error_code != FailureCode::none) {
    const FailureCode code = facts.error_code;
    const RecordTrace* record = failing_record(facts, trace);
    Diagnostic d;
    d.level = Level::error;
    d.code = std::to_string(code_number(code));
    d.where.file = facts.source;
    d.where.line = facts.line;
    if (const FieldSpot* field =
            facts.line > 0 ? failing_field(code, facts, trace, record) : nullptr) {
      d.where = span_of(*field);
    }
    d.message = recorded_failure_message(facts);
    switch (code) {
      case progressive_off_cells:
        notes_for_progressives(d.notes, trace);
        break;
      case stations_meet_boards:
      case stations_too_close:
      case stop_cell_before_line:
        notes_for_stations(d.notes, code, trace, state);
        break;
      case no_cell_before_signal:
      case no_cell_in_approach_window:
      case no_cell_through_slowdown:
        notes_for_placement(d.notes, code, facts, cells);
        break;
      case record_beyond_cells:
        if (facts.source == TextFile::train && trace.route_stopped && record &&
            (record->id == train_keyword::kSignal.record ||
             record->id == train_keyword::kSlowdown.record)) {
          const RecordTrace& stopped = *trace.route_stopped;
          d.notes.push_back(note_at(
              stopped.field(0) ? *stopped.field(0) : stopped.keyword,
              "this record of the route, beyond the cells, left error 15 standing, so the pack "
              "stops the train file at its first signal or slowdown, with that one's position"));
        } else {
          notes_for_beyond_cells(d.notes, facts, trace, state, record);
        }
        break;
      case read_fault:
        notes_for_read_fault(d.notes, trace, state);
        break;
      case direction_board_on_taken_cell:
      case code_change_on_taken_cell:
      case signal_on_taken_cell:
      case slowdown_warning_taken:
      case slowdown_start_taken:
      case slowdown_end_taken:
      case slowdown_approach_taken:
      case speed_boards_on_taken_cell:
        notes_for_taken_cell(d.notes, code, facts, record, cells);
        break;
      default:
        break;
    }
    if (facts.nothing_compiled) {
      d.notes.push_back(plain_note("the parse left no cells, so the pack writes no binary file"));
    }
    errors.push_back(std::move(d));
  }
  if (facts.fatal) {
    Diagnostic d;
    d.level = Level::error;
    d.code = std::to_string(code_number(*facts.fatal));
    d.message = std::string(error_meaning(*facts.fatal));
    const std::string reserved = *facts.fatal == marker_in_use
                                     ? "its first value is reserved for a marker"
                                     : "its second value is reserved for an integrity code";
    if (const WatchedCell* cell = watched(cells, 1); cell && cell->placed_by_pass()) {
      d.notes.push_back(
          plain_note("the code-change pass placed a code change on cell 1; " + reserved));
    } else if (cell && cell->owner) {
      d.notes.push_back(note_at(
          cell->owner->where,
          "cell 1 holds " + what_holds(cell->after_parse.kind) + " placed here; " + reserved));
    }
    d.notes.push_back(plain_note("the pack shows its error box and writes no binary file"));
    errors.push_back(std::move(d));
  }
  return errors;
}

}  // namespace scenario::check
