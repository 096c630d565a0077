#include "check/text_checker.h"

#include <algorithm>
#include <string_view>

#include "check/keyword_catalog.h"
#include "check/nearest_keyword.h"
#include "model/code_page_1252.h"
#include "model/rounding.h"
#include "parse/cell_access.h"
#include "parse/keywords.h"
#include "route/route_keywords.h"
#include "train/train_keywords.h"

namespace scenario::check {

namespace {

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

std::string fields_word(std::int64_t n) {
  return std::to_string(n) + (n == 1 ? " field" : " fields");
}

std::string line_of(const FieldSpot& spot) { return "line " + std::to_string(spot.line); }

bool is(const RecordTrace& record, const KeywordRule& rule) { return record.id == rule.record; }

// Slowdowns up to here get no warning point, and a station type from here on no stop cell.
constexpr std::int64_t kNoWarningUpTo = 1500;
constexpr std::int64_t kFirstTypeWithoutStop = 25;
constexpr std::int64_t kCloseFollowingMountain = 150;

}  // namespace

FieldSpot TextChecker::spot(const FieldEvent& field) const {
  FieldSpot s;
  s.file = file_;
  s.kind = field.kind;
  s.line = field.line;
  s.column = field.column;
  // A quoted text may run over a line end; the spot stays on the line where it begins.
  const std::size_t on_line = field.bytes.find_first_of("\r\n");
  s.length =
      static_cast<std::int32_t>(on_line == std::string_view::npos ? field.bytes.size() : on_line);
  s.number = field.number;
  if (field.kind != FieldKind::number) s.text = std::string(field.text);
  return s;
}

void TextChecker::add(Finding finding, const FieldSpot& where, std::string message) {
  Diagnostic d;
  d.level = explanation(finding).level;
  d.code = finding_code(finding);
  d.where = {where.file, where.line, where.line > 0 ? where.column : 0, where.line,
             where.line > 0 ? where.column + std::max(where.length, 1) : 0};
  d.message = std::move(message);
  findings_.push_back(std::move(d));
}

void TextChecker::add_note(const FieldSpot& where, std::string message) {
  DiagnosticNote note;
  note.where = {where.file, where.line, where.column, where.line,
                where.column + std::max(where.length, 1)};
  note.message = std::move(message);
  findings_.back().notes.push_back(std::move(note));
}

void TextChecker::file_started(TextFile file, std::string_view) {
  file_ = file;
  part_ = Part::preamble;
  general_end_.reset();
  last_keyword_interpreted_ = true;
  in_record_ = false;
  ended_.reset();
  reported_line_ = 0;
  comment_line_ = 0;
  comment_run_full_ = false;
  comma_reported_line_ = 0;
  comma_finding_.reset();
  flagged_comment_offset_.reset();
  after_end_.reset();
  after_end_reported_ = false;
}

void TextChecker::field_read(const FieldEvent& field) {
  if (in_record_) {
    trace_.current->fields.push_back(spot(field));
    record_end_offset_ = field.offset + field.bytes.size();
    return;
  }
  if (field.kind != FieldKind::keyword) return;
  last_keyword_ = spot(field);
  last_keyword_offset_ = field.offset;
  last_keyword_interpreted_ = false;

  // A comma that ends a comment line leaves only an empty field, which is harmless.
  if (comment_line_ == field.line && field.offset >= comment_end_offset_ &&
      comma_reported_line_ != field.line && !trimmed(field.text).empty()) {
    comma_reported_line_ = field.line;
    FieldSpot comma = last_keyword_;
    comma.column = comment_column_end_;
    comma.length = 1;
    add(Finding::comment_with_comma, comma,
        "a comment line with a comma: the pack reads what follows the comma, " +
            in_quotes(trimmed(field.text)) + ", as a keyword field");
    comma_finding_ = findings_.size() - 1;
  }
  if (comment_run_full_) {
    comment_run_full_ = false;
    if (contains(field.text, "-")) {
      flagged_comment_offset_ = field.offset;
      add(Finding::comment_read_as_keyword, last_keyword_,
          "comment field number " + std::to_string(comment_at_most_ + 1) +
              " in a row: the pack passes over at most " + std::to_string(comment_at_most_) +
              (file_ == TextFile::route && part_ == Part::general ? " in the general section"
                                                                  : "") +
              ", so it reads this one as a keyword field");
    }
  }
}

void TextChecker::field_refused(const FieldEvent& field, std::string_view why) {
  trace_.refused = spot(field);
  trace_.refused_why = std::string(why);
}

void TextChecker::comment_passed_over(const FieldEvent& field, int in_row, int at_most) {
  last_keyword_interpreted_ = true;
  comment_line_ = field.line;
  comment_end_offset_ = field.offset + field.bytes.size();
  comment_column_end_ = field.column + static_cast<std::int32_t>(field.bytes.size());
  comment_run_full_ = in_row == at_most;
  comment_at_most_ = at_most;
}

void TextChecker::section_head(const FieldEvent& field, SectionRole role) {
  last_keyword_interpreted_ = true;
  switch (role) {
    case SectionRole::opens_data:
      part_ = file_ == TextFile::route ? Part::general : Part::records;
      return;
    case SectionRole::ends_general:
      part_ = Part::features;
      general_end_ = spot(field);
      break;
    case SectionRole::other:
      break;
  }
  if (contains_ignoring_case(field.text, "[fine]")) after_end_ = spot(field);
}

void TextChecker::record_started(const RecordEvent& record) {
  last_keyword_interpreted_ = true;
  // One keyword field holding several keywords starts several records.
  const bool same_field = trace_.current && trace_.current->keyword.file == file_ &&
                          current_keyword_offset_ == record.keyword.offset;
  if (!same_field) {
    const std::string name(record.id.name);
    line_after_record(record.keyword, &name);
    if (after_end_ && !after_end_reported_) {
      after_end_reported_ = true;
      add(Finding::record_after_end, spot(record.keyword),
          "the record " + in_quotes(record.id.name) + " stands after " +
              in_quotes(trimmed(after_end_->text)) + " on " + line_of(*after_end_) +
              ", and the pack still reads it (and every record after it)");
    }
    if (comma_finding_ && comma_reported_line_ == record.keyword.line) {
      findings_[*comma_finding_].message +=
          ", which starts the record " + in_quotes(record.id.name);
      comma_finding_.reset();
    }
    if (flagged_comment_offset_ == record.keyword.offset) {
      findings_.back().message += ": it starts the record " + in_quotes(record.id.name);
    }
  }
  if (!trace_.current) trace_.current.emplace();
  RecordTrace& current = *trace_.current;
  current.id = record.id;
  current.keyword = spot(record.keyword);
  current.fields.clear();
  current.first_line = record.first_line;
  current.last_line = record.first_line;
  current.ended = false;
  current.outcome = RecordOutcome::go_on;
  current_keyword_offset_ = record.keyword.offset;
  record_end_offset_ = record.keyword.offset + record.keyword.bytes.size();
  in_record_ = true;
}

void TextChecker::record_ended(const RecordEvent& record, RecordOutcome outcome) {
  in_record_ = false;
  RecordTrace& current = *trace_.current;
  current.last_line = record.last_line;
  current.ended = true;
  current.outcome = outcome;

  const bool spans_lines = record.last_line > record.first_line;
  if (spans_lines) {
    const auto on_first =
        std::count_if(current.fields.begin(), current.fields.end(),
                      [&](const FieldSpot& f) { return f.line == current.first_line; });
    const auto taken = static_cast<std::int64_t>(current.fields.size()) - on_first;
    const std::int32_t needed = rule_of(record.id).fields;
    std::string from = record.last_line == record.first_line + 1
                           ? "line " + std::to_string(record.last_line)
                           : "lines " + std::to_string(record.first_line + 1) + " to " +
                                 std::to_string(record.last_line);
    add(Finding::record_across_lines, current.keyword,
        "the record " + in_quotes(record.id.name) + " needs " + fields_word(needed) +
            ", but its line holds " + (on_first == 0 ? "none" : std::to_string(on_first)) +
            ": it took " + std::to_string(taken) + " from " + from);
    const auto first_taken =
        std::find_if(current.fields.begin(), current.fields.end(),
                     [&](const FieldSpot& f) { return f.line != current.first_line; });
    if (first_taken != current.fields.end()) {
      add_note(*first_taken, "the first field it took from a later line");
    }
  }

  EndedRecord ended;
  ended.name = record.id.name;
  ended.last_line = record.last_line;
  ended.end_offset = record_end_offset_;
  ended.spans_lines = spans_lines;
  if (!current.fields.empty() && current.fields.back().kind == FieldKind::text) {
    ended.ended_with_text = true;
    ended.text = current.fields.back();
  }
  ended_ = std::move(ended);
  if (outcome != RecordOutcome::go_on) {
    trace_.stopped = current;
    if (file_ == TextFile::route && outcome == RecordOutcome::part_ends) {
      trace_.route_stopped = current;
    }
  }
  record_findings(current);
}

void TextChecker::keyword_unmatched(const FieldEvent& field) {
  last_keyword_interpreted_ = true;
  classify_unmatched(field);
}

void TextChecker::line_after_record(const FieldEvent& field, const std::string* started) {
  if (!ended_ || field.line != ended_->last_line || field.offset < ended_->end_offset) return;
  if (reported_line_ == field.line) return;
  reported_line_ = field.line;
  // A record that took fields from this line was reported for that; what is left of the line
  // follows from it.
  if (ended_->spans_lines) return;
  const std::string what = started ? "starts the record " + in_quotes(*started) : "has no effect";
  if (ended_->ended_with_text) {
    FieldSpot comma = ended_->text;
    comma.column = ended_->text.column + ended_->text.length;
    comma.length = 1;
    const bool board = ended_->name == route_keyword::kDirectionBoard.record.name;
    add(Finding::text_cut_at_comma, comma,
        std::string(board ? "the direction-board text" : "the station name") +
            " is cut at this comma: the pack keeps " + in_quotes(ended_->text.text) +
            " and reads " + in_quotes(trimmed(field.text)) + " as a keyword field, which " + what);
    return;
  }
  add(Finding::fields_left_over, spot(field),
      in_quotes(trimmed(field.text)) + " is left over after the complete record " +
          in_quotes(ended_->name) + ", which reads " +
          fields_word(rule_of(trace_.current->id).fields) +
          ": the pack reads it as a keyword field, which " + what);
}

void TextChecker::classify_unmatched(const FieldEvent& field) {
  const std::string_view text = trimmed(field.text);
  if (text.empty() || is_section_head(field.text) || field.line == reported_line_) return;
  if (ended_ && field.line == ended_->last_line && field.offset >= ended_->end_offset) {
    line_after_record(field, nullptr);
    return;
  }
  // Reported already as the rest of a comment line, or as a comment read as a keyword field.
  if (comma_reported_line_ == field.line || flagged_comment_offset_ == field.offset) {
    reported_line_ = field.line;
    return;
  }
  reported_line_ = field.line;
  const FieldSpot where = spot(field);

  if (file_ == TextFile::route && part_ == Part::general) {
    if (const KeywordRule* rule = rule_matching_any_case(text, route_general_keywords())) {
      // Only a keyword matched with letter case can fail here.
      std::string_view word = contains(text, rule->first) ? rule->second : rule->first;
      add(Finding::general_keyword_case, where,
          in_quotes(text) + " would be the general record " + in_quotes(rule->record.name) +
              " but for letter case: " + in_quotes(word) +
              " must be written in lower case here, so the line has no effect");
      return;
    }
    if (const KeywordRule* rule = rule_matching_any_case(text, route_feature_keywords())) {
      add(Finding::record_out_of_its_part, where,
          in_quotes(text) + " is the feature record " + in_quotes(rule->record.name) +
              ", but it stands in the general section, where only general records are read: "
              "it has no effect");
      return;
    }
  }
  if (file_ == TextFile::route && part_ == Part::features) {
    if (const KeywordRule* rule = rule_matching_any_case(text, route_general_keywords())) {
      std::string message = in_quotes(text) + " is the general record " +
                            in_quotes(rule->record.name) + ", but the general section ended";
      if (general_end_) {
        message += " on " + line_of(*general_end_) + " (at " +
                   in_quotes(trimmed(general_end_->text)) + ")";
      }
      add(Finding::record_out_of_its_part, where,
          message + ": here it has no effect, and its fields are read as keyword fields");
      if (general_end_) add_note(*general_end_, "the general section ended here");
      return;
    }
  }

  const std::span<const KeywordRule> own = file_ == TextFile::train  ? train_keywords()
                                           : part_ == Part::features ? route_feature_keywords()
                                                                     : route_general_keywords();
  std::string message = in_quotes(text) + " matches no record, so the pack passes over it";
  if (auto nearest = nearest_keyword(text, own)) {
    message += "; did you mean " + in_quotes(*nearest) + "?";
  } else if (file_ == TextFile::train) {
    if (const KeywordRule* rule = rule_matching_any_case(text, route_feature_keywords())) {
      message += "; " + in_quotes(rule->record.name) + " is a record of the route file";
    }
  } else if (const KeywordRule* rule = rule_matching_any_case(text, train_keywords())) {
    message += "; " + in_quotes(rule->record.name) + " is a record of the train file";
  }
  add(Finding::unknown_keyword, where, message);
}

void TextChecker::file_ended(TextFile file, FileEnd how) {
  if (how == FileEnd::no_data) {
    FieldSpot whole;
    whole.file = file;
    add(Finding::train_without_data, whole,
        "the train file holds no \"[generale]\" field: the pack skips the whole file, so the "
        "scenario has no train data, no stations, no signals and no speed limits");
    return;
  }
  if (how != FileEnd::end_of_file || last_keyword_interpreted_) return;
  const std::span<const KeywordRule> rules = file == TextFile::train   ? train_keywords()
                                             : part_ == Part::features ? route_feature_keywords()
                                                                       : route_general_keywords();
  if (const KeywordRule* rule = rule_matching_any_case(last_keyword_.text, rules)) {
    add(Finding::last_field_keyword, last_keyword_,
        in_quotes(trimmed(last_keyword_.text)) +
            " is the last field of the file, which the pack never reads: the record " +
            in_quotes(rule->record.name) + " is lost; end the file with a line \"[fine]\"");
  }
}

void TextChecker::record_findings(const RecordTrace& record) {
  using namespace route_keyword;
  using namespace train_keyword;
  if (is(record, kRouteLength)) {
    if (const FieldSpot* length = record.field(0)) trace_.route_length = *length;
  } else if (is(record, kProgressiveTre) || is(record, kProgressiveDue) ||
             is(record, kProgressiveUno)) {
    trace_.progressives.push_back(record);
  } else if (is(record, kStation)) {
    if (const FieldSpot* position = record.field(0)) trace_.stations.push_back(*position);
  }
  if (record.outcome != RecordOutcome::go_on) return;
  if (is(record, kDirectionBoard)) {
    ++trace_.direction_boards;
  } else if (is(record, kGradient)) {
    stretch_record(gradients_, record, "gradient", false);
  } else if (is(record, kCurve)) {
    curve_record(record);
  } else if (is(record, kMountain)) {
    mountain_record(record);
  } else if (is(record, kSpeedLimit)) {
    stretch_record(speeds_, record, "speed limit", true);
    speed_record(record);
  } else if (is(record, kAdhesion)) {
    stretch_record(adhesions_, record, "adhesion", true);
  } else if (is(record, kStation)) {
    station_record(record);
  } else if (is(record, kSignal)) {
    signal_record(record);
  } else if (is(record, kSlowdown)) {
    slowdown_record(record);
  }
}

// Mirrors how the compile lays a stretch value: the cells from the fill cell up to the record's
// own cell take the value in force, at least one cell, then the record's value is in force.
void TextChecker::stretch_record(Stretch& stretch, const RecordTrace& record, std::string_view what,
                                 bool capped_at_last_cell) {
  const FieldSpot* position = record.field(0);
  const FieldSpot* value = record.field(1);
  if (!position || !value) return;
  const std::int64_t n = cell_index(static_cast<double>(position->number) / 50.0);
  const std::int64_t last_cell =
      capped_at_last_cell && state_.cells ? state_.cells->last_index() : INT64_MAX;
  const std::string kind(what);
  if (n > 0) {
    if (stretch.last && n <= stretch.fill && stretch.fill < last_cell) {
      add(Finding::stretch_before_earlier, *position,
          "this " + kind + " record at " + metres(position->number) +
              " lies at or before the cells already laid up to cell " +
              std::to_string(stretch.fill - 1) +
              ": the pack lays them forwards only, so the value in force (" +
              std::to_string(stretch.current) + ") still goes into cell " +
              std::to_string(stretch.fill) + ", and this one holds from cell " +
              std::to_string(stretch.fill + 1) + " (" + metres(50 * (stretch.fill + 1)) +
              "), not from " + metres(position->number));
      add_note(*stretch.last, "the " + kind + " record before it");
    }
    do {
      if (stretch.fill >= last_cell) break;
      ++stretch.fill;
    } while (stretch.fill < n);
  } else if (stretch.last && stretch.last_cell > 0) {
    add(Finding::stretch_before_earlier, *position,
        "this " + kind +
            " record lies in cell 0, after a record further along the line: the "
            "pack lays nothing for it, so the value of that record (" +
            std::to_string(stretch.current) + ") is never laid, and this one holds from cell " +
            std::to_string(stretch.fill) + " (" + metres(50 * stretch.fill) + ")");
    add_note(*stretch.last, "the " + kind + " record before it");
  }
  stretch.current = value->number;
  stretch.last = *position;
  stretch.last_cell = n;
}

// Mirrors how the compile builds the plan: straight metres up to the curve's start, turning
// metres up to its end, from the first metre not yet built.
void TextChecker::curve_record(const RecordTrace& record) {
  const FieldSpot* position = record.field(0);
  const FieldSpot* length = record.field(1);
  if (!position || !length) return;
  const std::int64_t start = position->number;
  const std::int64_t end = start + length->number;
  const std::int64_t built = profile_row_ - 1;  // the last metre of the plan built so far
  if (last_curve_ && start < built) {
    if (end <= built) {
      add(Finding::curve_before_earlier, *position,
          "this curve, from " + metres(start) + " to " + metres(end) +
              ", lies wholly before the end of the curve before it (" + metres(built) +
              "), where the plan is already built: the pack turns none of it, so it has no "
              "effect");
    } else {
      add(Finding::curve_before_earlier, *position,
          "this curve begins at " + metres(start) + ", before the end of the curve before it (" +
              metres(built) + "): the plan is already built there, so the pack turns only " +
              metres(end - built) + " of its " + metres(length->number) + ", from " +
              metres(built + 1) + " to " + metres(end));
    }
    add_note(*last_curve_, "the curve before it");
  }
  profile_row_ = std::max(profile_row_, start + 1);
  profile_row_ = std::max(profile_row_, end + 1);
  last_curve_ = *position;
}

void TextChecker::mountain_record(const RecordTrace& record) {
  const FieldSpot* start = record.field(0);
  const FieldSpot* end = record.field(1);
  const FieldSpot* type = record.field(2);
  if (!start || !end || !type) return;
  const std::int64_t given = type->number > 10 ? type->number - 10 : type->number;
  if (last_mountain_ && start->number - last_mountain_end_ <= kCloseFollowingMountain &&
      given != 3) {
    add(Finding::mountain_type_replaced, *type,
        "this mountain begins " + metres(start->number - last_mountain_end_) +
            " after the end of the mountain before it, at most 150 m, so the pack gives it type "
            "3, not " +
            std::to_string(given));
    add_note(*last_mountain_, "the mountain before it");
  }
  last_mountain_ = *start;
  last_mountain_end_ = end->number;
}

void TextChecker::station_record(const RecordTrace& record) {
  const FieldSpot* type = record.field(1);
  const FieldSpot* name = record.field(16);
  if (!type || type->number < kFirstTypeWithoutStop) return;
  add(Finding::station_without_stop, *type,
      "the station " + in_quotes(name ? trimmed(name->text) : "") + " is of type " +
          std::to_string(type->number) +
          ": only types below 25 get a stop cell, so the cells hold no stop point for it");
}

void TextChecker::signal_record(const RecordTrace& record) {
  const FieldSpot* position = record.field(0);
  if (!position) return;
  const std::int64_t cell = cell_index(static_cast<double>(position->number) / 50.0 + 1);
  int dropped = 0;
  for (int k = 1; k <= 4; ++k) dropped += cell - 2 * k < 0 ? 1 : 0;
  if (dropped == 0) return;
  add(Finding::signal_marks_dropped, *position,
      "this signal stands in cell " + std::to_string(cell) +
          ": its approach marks go 2, 4, 6 and 8 cells before it, and the " +
          std::to_string(dropped) + " that would lie before cell 0 are left out");
}

void TextChecker::slowdown_record(const RecordTrace& record) {
  const FieldSpot* start = record.field(0);
  const FieldSpot* approach = record.field(4);
  if (!start || start->number > kNoWarningUpTo) return;
  std::string message = "this slowdown begins at " + metres(start->number) +
                        ", at or before 1500 m: it gets no warning point";
  if (approach && approach->number != 0) {
    message += ", and no approach cells although its fifth number asks for them";
  }
  add(Finding::slowdown_without_warning, *start, message);
}

void TextChecker::speed_record(const RecordTrace& record) {
  const FieldSpot* speed = record.field(1);
  if (!speed || speed->number % 5 == 0) return;
  const auto fifth = round_to<std::uint8_t>(static_cast<double>(speed->number) / 5.0);
  if (!fifth) return;
  add(Finding::speed_rounded, *speed,
      "the cells store a speed limit divided by 5, so " + std::to_string(speed->number) +
          " becomes " + std::to_string(5 * static_cast<int>(*fifth)));
}

}  // namespace scenario::check
