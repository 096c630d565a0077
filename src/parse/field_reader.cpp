#include "parse/field_reader.h"

#include <limits>

#include "parse/read_fault.h"

namespace scenario {

bool FieldReader::at_line_end() const {
  return !at_end() && (bytes_[pos_] == '\r' || bytes_[pos_] == '\n');
}

// Consumes one line end: CR LF, or a lone CR or LF.
void FieldReader::skip_line_end() {
  if (bytes_[pos_] == '\r' && pos_ + 1 < bytes_.size() && bytes_[pos_ + 1] == '\n') ++pos_;
  ++pos_;
  ++line_;
}

void FieldReader::skip_blanks() {
  while (!at_end() && bytes_[pos_] == ' ') ++pos_;
}

void FieldReader::refuse(FieldKind kind, std::size_t begin, std::size_t end,
                         const std::string& what) {
  if (observer_) observer_->field_refused(event_at(kind, begin, end, {}, 0), what);
  throw ReadFault(what, field_line_);
}

void FieldReader::begin_field(FieldKind kind) {
  if (at_end()) {
    field_line_ = line_;
    refuse(kind, pos_, pos_, "read past the end of the file");
  }
  skip_blanks();
  field_line_ = line_;
}

std::string FieldReader::read_keyword() { return read_text_field(FieldKind::keyword); }

std::string FieldReader::read_text() { return read_text_field(FieldKind::text); }

std::string FieldReader::read_text_field(FieldKind kind) {
  begin_field(kind);
  const std::size_t begin = pos_;
  std::size_t text_begin = pos_;
  std::size_t text_end = pos_;
  std::string field;
  if (!at_end() && bytes_[pos_] == '"') {
    ++pos_;
    text_begin = pos_;
    while (!at_end() && bytes_[pos_] != '"') {
      if (at_line_end()) {
        const std::size_t from = pos_;
        skip_line_end();
        field.append(bytes_, from, pos_ - from);
      } else {
        field += bytes_[pos_++];
      }
    }
    text_end = pos_;
    if (!at_end()) ++pos_;  // the closing quote
    while (!at_end() && bytes_[pos_] != ',' && !at_line_end()) ++pos_;
  } else {
    while (!at_end() && bytes_[pos_] != ',' && !at_line_end()) field += bytes_[pos_++];
    text_end = pos_;
  }
  const std::size_t end = pos_;
  if (!at_end()) {
    if (bytes_[pos_] == ',') {
      ++pos_;
    } else {
      skip_line_end();
    }
  }
  if (observer_) {
    tell(kind, begin, end, std::string_view(bytes_).substr(text_begin, text_end - text_begin), 0);
  }
  return field;
}

FieldEvent FieldReader::event_at(FieldKind kind, std::size_t begin, std::size_t end,
                                 std::string_view text, std::int64_t number) const {
  // The column is found by looking back for the line end, so that a run without an observer
  // keeps no track of where lines begin.
  std::size_t line_start = begin;
  while (line_start > 0 && bytes_[line_start - 1] != '\r' && bytes_[line_start - 1] != '\n') {
    --line_start;
  }
  FieldEvent event;
  event.kind = kind;
  event.bytes = std::string_view(bytes_).substr(begin, end - begin);
  event.text = text;
  event.number = number;
  event.line = field_line_;
  event.column = static_cast<std::int32_t>(begin - line_start) + 1;
  event.offset = begin;
  return event;
}

void FieldReader::tell(FieldKind kind, std::size_t begin, std::size_t end, std::string_view text,
                       std::int64_t number) {
  last_ = event_at(kind, begin, end, text, number);
  observer_->field_read(last_);
}

void FieldReader::not_a_number(std::size_t begin, std::string_view token) {
  std::string what = "\"";
  what.append(token);
  what.append("\" is not a number");
  refuse(FieldKind::number, begin, begin + token.size(), what);
}

std::int64_t FieldReader::read_number(std::int64_t min, std::int64_t max) {
  begin_field(FieldKind::number);
  const std::size_t start = pos_;
  while (!at_end() && bytes_[pos_] != ' ' && bytes_[pos_] != ',' && !at_line_end()) ++pos_;
  const std::string_view token(bytes_.data() + start, pos_ - start);

  // The separator: blanks, then at most one comma or line end right after them.
  skip_blanks();
  if (!at_end()) {
    if (bytes_[pos_] == ',') {
      ++pos_;
    } else if (at_line_end()) {
      skip_line_end();
    }
  }

  if (token.empty()) {
    if (observer_) tell(FieldKind::number, start, start, {}, 0);
    return 0;
  }
  std::size_t i = 0;
  const bool negative = token[0] == '-';
  if (token[0] == '-' || token[0] == '+') ++i;
  if (i == token.size()) not_a_number(start, token);
  std::int64_t magnitude = 0;
  for (; i < token.size(); ++i) {
    const char c = token[i];
    if (c < '0' || c > '9') not_a_number(start, token);
    // Stop accumulating well before int64 could overflow, but only once the magnitude is past
    // every 32-bit value of either sign: -2147483648 followed by more digits must not fit.
    if (magnitude <= std::numeric_limits<std::uint32_t>::max())
      magnitude = magnitude * 10 + (c - '0');
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value < min || value > max) {
    refuse(FieldKind::number, start, start + token.size(),
           std::string(token) + " does not fit its field (" + std::to_string(min) + " to " +
               std::to_string(max) + ")");
  }
  if (observer_) tell(FieldKind::number, start, start + token.size(), {}, value);
  return value;
}

std::int32_t FieldReader::read_i32() {
  return static_cast<std::int32_t>(read_number(std::numeric_limits<std::int32_t>::min(),
                                               std::numeric_limits<std::int32_t>::max()));
}

std::int16_t FieldReader::read_i16() {
  return static_cast<std::int16_t>(read_number(std::numeric_limits<std::int16_t>::min(),
                                               std::numeric_limits<std::int16_t>::max()));
}

std::uint8_t FieldReader::read_u8() { return static_cast<std::uint8_t>(read_number(0, 255)); }

}  // namespace scenario
