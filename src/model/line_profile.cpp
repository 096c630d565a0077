#include "model/line_profile.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace scenario {

LineProfile::LineProfile(const LineProfile& other)
    : rows_(other.rows_),
      values_(std::make_unique_for_overwrite<double[]>(2 * rows_)),
      seeded_(other.seeded_),
      computed_end_(other.computed_end_) {
  // Only the elements that were set hold a value worth copying.
  for (int column = 0; column < 2; ++column) {
    for (std::int64_t row = 0; row < kFirstComputed && row < static_cast<std::int64_t>(rows_);
         ++row) {
      if (other.seeded_[seed_index(row, column)]) {
        values_[index(row, column)] = other.values_[index(row, column)];
      }
    }
    const std::int64_t end = computed_end(column);
    if (end > kFirstComputed) {
      const double* from = other.values_.get();
      std::copy(from + index(kFirstComputed, column), from + index(end, column),
                values_.get() + index(kFirstComputed, column));
    }
  }
}

LineProfile& LineProfile::operator=(const LineProfile& other) {
  if (this != &other) *this = LineProfile(other);
  return *this;
}

void LineProfile::set_int16(std::int64_t row, int column, std::int16_t v) {
  if (row >= kFirstComputed) out_of_order(row);
  seeded_[seed_index(row, column)] = true;
  values_[index(row, column)] = v;
}

void LineProfile::out_of_order(std::int64_t row) {
  throw std::logic_error("line profile row " + std::to_string(row) +
                         " is not the next one of the plan");
}

}  // namespace scenario
