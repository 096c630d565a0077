#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "author_text/line_counter.h"

namespace scenario::author {

// Where the places of a converted text stand in the file as the author saved it. Lines are the
// same in both (the conversion keeps line ends as they are); a column of the converted text,
// one byte a character, becomes the column of the same character in the bytes of the saved
// file, counted from 1 at the start of its line (after the byte order mark on line 1). A
// character takes 1 to 3 bytes in UTF-8 and 2 in UTF-16.
class SavedColumns {
 public:
  // Every column stands where it is: the text was not converted.
  SavedColumns() = default;

  // Adds the next byte of the converted text, character `c`, which took `saved_size` bytes in
  // the file.
  void add(char32_t c, std::uint8_t saved_size);

  // The saved column of `column` on `line` (both from 1, in the converted text). A column past
  // the end of the text counts one byte a column beyond it; a place that is not in the text
  // (line or column 0, a line past the last) is given back as it is.
  std::int32_t saved_column(std::int32_t line, std::int32_t column) const;

 private:
  std::vector<std::uint8_t> sizes_;  // saved bytes of each converted byte; empty: not converted
  std::vector<std::size_t> line_starts_{0};  // offsets in the converted text
  LineCounter lines_;
};

}  // namespace scenario::author
