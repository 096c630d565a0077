#include "inspect/profile_file.h"

#include <string>

#include "inspect/byte_cursor.h"

namespace scenario::inspect {

namespace {

constexpr std::uint64_t kTagBytes = 2;

std::string element_named(std::uint64_t index, std::uint64_t rows) {
  const char* column = index < rows ? "x" : "y";
  return "the " + std::string(column) + " of row " + std::to_string(index % rows);
}

std::string rows_named(std::uint64_t rows) {
  return rows == 0 ? std::string("no rows") : "rows 0 to " + std::to_string(rows - 1);
}

}  // namespace

LayoutResult<ProfileFile> read_profile_file(std::string_view bytes, std::string_view file,
                                            std::int64_t last_row) {
  const std::uint64_t rows = last_row < 0 ? 0 : static_cast<std::uint64_t>(last_row) + 1;
  // Each element takes at least its tag; a count the file could never hold is refused here.
  const std::uint64_t least_bytes_per_row = 2 * kTagBytes;
  if (rows > bytes.size() / least_bytes_per_row) {
    return LayoutFault{std::string(file), bytes.size(),
                       "the file ends too soon: " + rows_named(rows) + " need at least " +
                           std::to_string(rows) + " x 4 bytes, the file has " +
                           std::to_string(bytes.size())};
  }
  const std::uint64_t count = 2 * rows;

  ProfileFile profile;
  profile.last_row = static_cast<std::int64_t>(rows) - 1;
  profile.elements.reserve(static_cast<std::size_t>(count));
  ByteCursor in(bytes);
  for (std::uint64_t e = 0; e < count; ++e) {
    const std::uint64_t at = in.offset();
    if (!in.has(kTagBytes)) {
      return LayoutFault{std::string(file), at,
                         "the file ends after " + std::to_string(e) + " of the " +
                             std::to_string(count) + " elements of " + rows_named(rows)};
    }
    ProfileElement element;
    element.tag = in.u16();
    std::uint64_t value_bytes = 0;
    switch (element.tag) {
      case kEmptyTag:
        break;
      case kWholeTag:
        value_bytes = 2;
        break;
      case kRealTag:
        value_bytes = 8;
        break;
      default:
        return LayoutFault{std::string(file), at,
                           element_named(e, rows) + " has the tag " + std::to_string(element.tag) +
                               "; a profile element is tagged 0, 2 or 5"};
    }
    if (!in.has(value_bytes)) {
      return LayoutFault{std::string(file), at,
                         "the file ends inside " + element_named(e, rows) + " (tag " +
                             std::to_string(element.tag) + ")"};
    }
    if (element.tag == kWholeTag) element.whole = in.i16();
    if (element.tag == kRealTag) element.real_bits = in.u64();
    profile.elements.push_back(element);
  }
  if (in.remaining() != 0) {
    return LayoutFault{std::string(file), in.offset(),
                       bytes_follow(in.remaining()) + " the " + std::to_string(count) +
                           " elements of " + rows_named(rows)};
  }
  return profile;
}

}  // namespace scenario::inspect
