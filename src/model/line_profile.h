#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace scenario {

// The type tag each profile element carries into the profile file.
enum class ProfileTag : std::uint8_t { empty = 0, int16 = 2, real = 5 };

// The plan of the line: rows 0 to route_span (one per metre), columns 0 (x) and 1 (y). A long
// line has two million elements, so tags and values are kept in two flat arrays rather than as
// a variant per element.
class LineProfile {
 public:
  explicit LineProfile(std::int32_t last_row)
      : rows_(static_cast<std::size_t>(last_row) + 1),
        tags_(2 * rows_, ProfileTag::empty),
        values_(2 * rows_, 0.0) {}

  std::int32_t last_row() const { return static_cast<std::int32_t>(rows_) - 1; }
  bool contains_row(std::int64_t row) const {
    return row >= 0 && row < static_cast<std::int64_t>(rows_);
  }

  // Callers check contains_row() first; column is 0 or 1.
  void set_int16(std::int64_t row, int column, std::int16_t v) {
    tags_[index(row, column)] = ProfileTag::int16;
    values_[index(row, column)] = v;
  }
  void set_real(std::int64_t row, int column, double v) {
    tags_[index(row, column)] = ProfileTag::real;
    values_[index(row, column)] = v;
  }
  ProfileTag tag(std::int64_t row, int column) const { return tags_[index(row, column)]; }
  // The element's value as a double (0 for an empty element); 16-bit values are exact.
  double value(std::int64_t row, int column) const { return values_[index(row, column)]; }

 private:
  // Column-major, the order of the profile file.
  std::size_t index(std::int64_t row, int column) const {
    return static_cast<std::size_t>(column) * rows_ + static_cast<std::size_t>(row);
  }

  std::size_t rows_;
  std::vector<ProfileTag> tags_;
  std::vector<double> values_;
};

}  // namespace scenario
