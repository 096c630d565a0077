#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace scenario {

// The type tag each profile element carries into the profile file.
enum class ProfileTag : std::uint8_t { empty = 0, int16 = 2, real = 5 };

// The plan of the line: rows 0 to route_span (one per metre), columns 0 (x) and 1 (y). A long
// line has two million elements, so only their values are held, in one flat array; each
// element's tag follows from how the plan is built: rows 0 and 1 are the seed (16-bit values),
// rows from 2 on are computed in order (reals), and the rows never reached are empty. The
// array is not cleared: an element is read only once it has been set.
class LineProfile {
 public:
  explicit LineProfile(std::int32_t last_row)
      : rows_(static_cast<std::size_t>(last_row) + 1),
        values_(std::make_unique_for_overwrite<double[]>(2 * rows_)) {}

  LineProfile(const LineProfile& other);
  LineProfile& operator=(const LineProfile& other);
  LineProfile(LineProfile&&) noexcept = default;
  LineProfile& operator=(LineProfile&&) noexcept = default;

  std::int32_t last_row() const { return static_cast<std::int32_t>(rows_) - 1; }
  bool contains_row(std::int64_t row) const {
    return row >= 0 && row < static_cast<std::int64_t>(rows_);
  }

  // Callers check contains_row() first; column is 0 or 1. Only rows 0 and 1 take a 16-bit value.
  void set_int16(std::int64_t row, int column, std::int16_t v);
  // Rows from 2 on, in order: the row is one already computed in this column or the next one.
  // Anything else would leave a row between them without a value; it throws std::logic_error.
  void set_real(std::int64_t row, int column, double v) {
    std::int64_t& end = computed_end_[static_cast<std::size_t>(column)];
    if (row == end) {
      ++end;
    } else if (row < kFirstComputed || row > end) {
      out_of_order(row);
    }
    values_[index(row, column)] = v;
  }

  ProfileTag tag(std::int64_t row, int column) const {
    if (row < kFirstComputed) {
      return seeded_[seed_index(row, column)] ? ProfileTag::int16 : ProfileTag::empty;
    }
    return row < computed_end_[static_cast<std::size_t>(column)] ? ProfileTag::real
                                                                 : ProfileTag::empty;
  }
  // The element's value as a double (0 for an empty element); 16-bit values are exact.
  double value(std::int64_t row, int column) const {
    return tag(row, column) == ProfileTag::empty ? 0.0 : values_[index(row, column)];
  }

  // Rows kFirstComputed to computed_end(column) - 1 hold reals.
  std::int64_t computed_end(int column) const {
    return computed_end_[static_cast<std::size_t>(column)];
  }
  // The values of one column, rows 0 to last_row(), for a writer that walks them in order;
  // only the elements whose tag is not empty hold a value.
  const double* column_values(int column) const { return &values_[index(0, column)]; }

  static constexpr std::int64_t kFirstComputed = 2;

 private:
  // Column-major, the order of the profile file.
  std::size_t index(std::int64_t row, int column) const {
    return static_cast<std::size_t>(column) * rows_ + static_cast<std::size_t>(row);
  }
  static std::size_t seed_index(std::int64_t row, int column) {
    return static_cast<std::size_t>(2 * column + row);
  }
  [[noreturn]] static void out_of_order(std::int64_t row);

  std::size_t rows_;
  std::unique_ptr<double[]> values_;
  std::array<bool, 4> seeded_{};  // rows 0 and 1 of column 0, then of column 1
  std::array<std::int64_t, 2> computed_end_{kFirstComputed, kFirstComputed};
};

}  // namespace scenario
