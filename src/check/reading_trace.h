#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/text_file.h"
#include "parse/read_observer.h"
#include "parse/record_id.h"
#include "parse/record_outcome.h"

namespace scenario::check {

// A field as the check keeps it after the reader's call: where it stands, its value for a
// number, its text for a keyword field or a text.
struct FieldSpot {
  TextFile file = TextFile::none;
  FieldKind kind = FieldKind::keyword;
  std::int32_t line = 0;
  std::int32_t column = 0;
  std::int32_t length = 0;  // bytes of the field on its line
  std::int64_t number = 0;
  std::string text;
};

// One record the reader recognised, with every field it read.
struct RecordTrace {
  RecordId id;
  FieldSpot keyword;
  std::vector<FieldSpot> fields;
  std::int32_t first_line = 0;
  std::int32_t last_line = 0;
  bool ended = false;  // false while its fields are read, and after a read fault inside it
  RecordOutcome outcome = RecordOutcome::go_on;

  // The field'th field after the keyword (from 0), or null.
  const FieldSpot* field(std::size_t index) const {
    return index < fields.size() ? &fields[index] : nullptr;
  }
};

// What the check saw of the reading that the report of a failure needs: the record being read
// when the parse stopped, the field a read refused, and the records other failures point at.
struct ReadingTrace {
  std::optional<RecordTrace> current;  // the record started last
  std::optional<RecordTrace> stopped;  // the record that ended its file's records last
  // The route record beyond the cells (error 15) that ended the route's features, if any.
  std::optional<RecordTrace> route_stopped;
  std::optional<FieldSpot> refused;  // the field a read refused, ending the parse
  std::string refused_why;
  std::optional<FieldSpot> route_length;  // the position of "lunghezza percorso"
  std::vector<RecordTrace> progressives;  // the three kilometre-progressive records
  std::vector<FieldSpot> stations;        // each station record's position, in order
  std::int32_t direction_boards = 0;      // direction boards stored
};

}  // namespace scenario::check
