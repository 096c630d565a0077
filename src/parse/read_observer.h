#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/text_file.h"
#include "parse/record_id.h"
#include "parse/record_outcome.h"

namespace scenario {

// How a field was read: as a keyword field (a field the reader tests against keywords), as a
// number, or as the text of a record (a direction board's text, a station's name).
enum class FieldKind : std::uint8_t { keyword, number, text };

// One field as the reader cut it. Both views point into the reader's copy of the file, so they
// stay valid while that file is being read (up to its file_ended); copy what must last longer.
struct FieldEvent {
  FieldKind kind = FieldKind::keyword;
  // The field as it stands in the file, from its first non-blank byte to the byte before its
  // separator; a quoted text includes its quotes and whatever followed the closing one.
  std::string_view bytes;
  // What the read returned for a keyword field or a text: `bytes` without the quotes of a
  // quoted text. Empty for a number.
  std::string_view text;
  std::int64_t number = 0;  // the value read, for a number; 0 otherwise
  std::int32_t line = 0;    // line of the field's first byte, from 1
  std::int32_t column = 0;  // byte column of the field's first byte on its line, from 1
  std::size_t offset = 0;   // byte offset of the field's first byte in the file, from 0
};

// One record the reader recognised: which, the keyword field that started it, and the lines
// its fields span (the keyword field's line to the line of the last field the record read).
struct RecordEvent {
  RecordId id;
  FieldEvent keyword;
  std::int32_t first_line = 0;
  std::int32_t last_line = 0;
};

// Why a keyword field holding "[" and "]" is a section head.
enum class SectionRole : std::uint8_t {
  opens_data,    // the "[generale]" field that ends the preamble
  ends_general,  // the route file's head that ends its general section
  other,         // any other head: it matches no keyword and has no effect
};

// How the reading of a text file ended, short of a read fault (which ends the whole parse and is
// recorded as error 25 instead).
enum class FileEnd : std::uint8_t {
  end_of_file,  // every field was read; the last one is never interpreted
  part_ended,   // a record beyond the cells (error 15) ended the records; the rest is not read
  parse_left,   // a recorded failure ended the parse
  no_data,      // the train file holds no "[generale]" field: no record was read
};

// Told what the reader sees, for the author's diagnostics. The compile passes none: every call
// site tests the pointer first and builds nothing for a missing observer (no event, no copy),
// so the pack pays a pointer test per field and per record. Every method has an empty default,
// so an observer implements only what it needs. The calls come in file order:
//   file_started, then field_read for each field, interleaved with the events below in the
//   order they happen, and file_ended (unless a read fault ends the parse first). A route file
//   that does not exist (error 101) is not started, and the train file is started only when
//   the route half let the parse go on.
// - field_read: every field, those of the preamble and keyword fields included, right after it
//   is read; a field the reader refuses (a read fault) is not told here but as refused.
// - field_refused: the field a read refused, with the reader's reason, right before the read
//   fault that ends the parse: a number field that is not a number or does not fit its
//   variable (`bytes` is the token), or a read past the end (`bytes` empty, at the end).
// - comment_passed_over: a keyword field holding "-" that was passed over; `in_row` counts the
//   fields passed over in a row (1 for the first), `at_most` is the limit in that part of the
//   file (10 in the route's general section, 2 elsewhere): the next field holding "-" after
//   `at_most` of them is taken as the keyword field.
// - section_head: a keyword field holding "[" and "]" that does not begin with "-" once its
//   leading blanks are removed, with what it does. `opens_data` comes for the "[generale]" field
//   of the preamble (which need not look like a head), `ends_general` for the route's head that
//   ends the general section, `other` for every head after those (the route's feature part, the
//   whole train file). It comes after the records the field started, if any.
// - record_started / record_ended: each record a keyword started, around the reads of its
//   fields. One keyword field holding several keywords starts several records in turn, each
//   with the same `keyword`. record_ended says how the record left the parse to go on; a read
//   fault inside a record ends the parse without it.
// - keyword_unmatched: a keyword field that was interpreted and started no record, section
//   heads included (they come right after their section_head). The last field of a file is
//   never interpreted, so it gets neither this nor a record.
class ReadObserver {
 public:
  virtual ~ReadObserver() = default;

  // `name` is the file's name in the folder it is read from (single-byte text).
  virtual void file_started(TextFile, std::string_view /*name*/) {}
  virtual void field_read(const FieldEvent&) {}
  virtual void field_refused(const FieldEvent&, std::string_view /*why*/) {}
  virtual void comment_passed_over(const FieldEvent&, int /*in_row*/, int /*at_most*/) {}
  virtual void section_head(const FieldEvent&, SectionRole) {}
  virtual void record_started(const RecordEvent&) {}
  virtual void record_ended(const RecordEvent&, RecordOutcome) {}
  virtual void keyword_unmatched(const FieldEvent&) {}
  virtual void file_ended(TextFile, FileEnd) {}
};

}  // namespace scenario
