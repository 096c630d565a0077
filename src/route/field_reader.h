#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

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
class FieldReader {
 public:
  explicit FieldReader(std::string bytes) : bytes_(std::move(bytes)) {}

  // Reads the whole file; throws ReadFault when it cannot be opened or read.
  static FieldReader open(const std::filesystem::path& path);

  // True when no byte is left to read.
  bool at_end() const { return pos_ == bytes_.size(); }

  std::string read_text();
  std::int32_t read_i32();
  std::int16_t read_i16();
  std::uint8_t read_u8();

  // Line (from 1) on which the field read last began; 0 before the first read.
  std::int32_t line() const { return field_line_; }

 private:
  std::int64_t read_number(std::int64_t min, std::int64_t max);
  void begin_field();
  bool at_line_end() const;
  void skip_line_end();
  void skip_blanks();
  [[noreturn]] void fault(const std::string& what) const;
  [[noreturn]] void not_a_number(std::string_view token) const;

  std::string bytes_;
  std::size_t pos_ = 0;
  std::int32_t line_ = 1;        // line of the next byte
  std::int32_t field_line_ = 0;  // line where the last field began
};

}  // namespace scenario
