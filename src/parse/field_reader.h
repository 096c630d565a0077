#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "parse/read_observer.h"

namespace scenario {

// Cuts a scenario text file into fields, the way both the route and the train files are read.
//  - A line ends at CR LF, or at a lone CR or LF. A blank is the space character only.
//  - Blanks before a field are skipped. A field that begins at a line end is empty and ends
//    there, so an empty line is one empty field.
//  - A text field runs to the next comma or line end, keeping inner and trailing blanks; one that
//    begins with a double quote runs to the closing quote, and what follows it up to the next
//    comma or line end is dropped.
//  - A number field ends at the first blank, comma or line end; blanks after it, then one comma
//    or one line end right after them, belong to its separator ("5 ,6" and "5 6" are 5 and 6).
//    It holds an optional sign and decimal digits; an empty one reads 0.
// Every read throws ReadFault when no byte is left, and number reads throw it for a field that is
// not a number or does not fit the variable it is read into.
//
// With an observer, every field read successfully is reported to it (ReadObserver::field_read)
// as it is read, and a field a read refuses (ReadObserver::field_refused) before the throw;
// without one the reader does nothing more than cut the fields.
class FieldReader {
 public:
  explicit FieldReader(std::string bytes, ReadObserver* observer = nullptr)
      : bytes_(std::move(bytes)), observer_(observer) {}

  // True when no byte is left to read.
  bool at_end() const { return pos_ == bytes_.size(); }

  // A field read by the text rules, as a keyword field or as the text of a record. The two read
  // the same bytes; they differ only in what the observer is told.
  std::string read_keyword();
  std::string read_text();
  std::int32_t read_i32();
  std::int16_t read_i16();
  std::uint8_t read_u8();

  // Line (from 1) on which the field read last began; 0 before the first read.
  std::int32_t line() const { return field_line_; }

  // The observer given at construction, or null.
  ReadObserver* observer() const { return observer_; }
  // The field read last, as the observer was told of it. Kept only when there is an observer.
  const FieldEvent& last_field() const { return last_; }

 private:
  std::string read_text_field(FieldKind kind);
  std::int64_t read_number(std::int64_t min, std::int64_t max);
  void begin_field(FieldKind kind);
  bool at_line_end() const;
  void skip_line_end();
  void skip_blanks();
  FieldEvent event_at(FieldKind kind, std::size_t begin, std::size_t end, std::string_view text,
                      std::int64_t number) const;
  void tell(FieldKind kind, std::size_t begin, std::size_t end, std::string_view text,
            std::int64_t number);
  // Tells an observer of the field bytes [begin, end) the read refuses, then throws ReadFault.
  [[noreturn]] void refuse(FieldKind kind, std::size_t begin, std::size_t end,
                           const std::string& what);
  [[noreturn]] void not_a_number(std::size_t begin, std::string_view token);

  std::string bytes_;
  ReadObserver* observer_ = nullptr;
  std::size_t pos_ = 0;
  std::int32_t line_ = 1;        // line of the next byte
  std::int32_t field_line_ = 0;  // line where the last field began
  FieldEvent last_;
};

}  // namespace scenario
