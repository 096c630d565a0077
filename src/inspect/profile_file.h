#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "inspect/layout_fault.h"

namespace scenario::inspect {

// The type tags of the profile's elements: never assigned, a 16-bit integer, a 64-bit real.
inline constexpr std::uint16_t kEmptyTag = 0;
inline constexpr std::uint16_t kWholeTag = 2;
inline constexpr std::uint16_t kRealTag = 5;

// One tagged element of the line profile as it stands in the file.
struct ProfileElement {
  std::uint16_t tag = kEmptyTag;
  std::int16_t whole = 0;       // the value of a tag-2 element
  std::uint64_t real_bits = 0;  // the eight bytes of a tag-5 element, kept exactly

  double real() const { return std::bit_cast<double>(real_bits); }
  // The element as a number: 0 when empty.
  double number() const { return tag == kRealTag ? real() : tag == kWholeTag ? whole : 0.0; }
};

// A decoded line profile: rows 0 to last_row, columns 0 (x) and 1 (y), in metres.
struct ProfileFile {
  std::int64_t last_row = -1;
  std::vector<ProfileElement> elements;  // column 0 for every row, then column 1

  std::int64_t rows() const { return last_row + 1; }
  const ProfileElement& at(std::int64_t row, int column) const {
    return elements[static_cast<std::size_t>(column * rows() + row)];
  }
};

// Decodes a line-profile file ("L_linea.dat"): the 2 x (last_row + 1) elements of rows 0 to
// last_row, column 0 first, each a 16-bit tag followed by nothing (tag 0), a signed 16-bit
// integer (tag 2) or a 64-bit IEEE real (tag 5), little-endian. Elements are read one by one,
// since their sizes differ; an unknown tag, an element cut off by the end of the file, or bytes
// after the last element stop the reader. The element count is checked against the smallest
// size it could take (two bytes each) before anything is allocated. `file` names the file in a
// fault.
LayoutResult<ProfileFile> read_profile_file(std::string_view bytes, std::string_view file,
                                            std::int64_t last_row);

}  // namespace scenario::inspect
