#include "model/line_profile.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace scenario {

void LineProfile::set_int16(std::int64_t row, int column, std::int16_t v) {
  if (row < 0 || row >= kFirstComputed) {
    throw std::logic_error("line profile row " + std::to_string(row) + " is not a seed row");
  }
  seeded_[seed_index(row, column)] = true;
  seed_[seed_index(row, column)] = v;
}

void LineProfile::extend(std::int64_t through, bool turning, double k) {
  if (through < computed_end_) return;
  if (through >= rows_) {
    throw std::logic_error("line profile row " + std::to_string(through) +
                           " is past the profile's last row " + std::to_string(rows_ - 1));
  }
  computed_end_ = through + 1;
  // A run that continues the one before it the same way is the same run.
  if (!runs_.empty() && runs_.back().turning == turning && runs_.back().k == k) {
    runs_.back().end = computed_end_;
  } else {
    runs_.push_back({computed_end_, turning, k});
  }
}

double LineProfile::value(std::int64_t row, int column) const {
  if (tag(row, column) == ProfileTag::empty) return 0.0;
  if (row < kFirstComputed) return seed_value(row, column);
  PlanRows rows(*this);
  ProfilePoint point = rows.next();
  while (rows.next_row() <= row) point = rows.next();
  return column == 0 ? point.x : point.y;
}

PlanRows::PlanRows(const LineProfile& profile)
    : runs_(&profile.runs()), before_last_(profile.seed_point(0)), last_(profile.seed_point(1)) {}

namespace {

// Rows of one run from the two rows before them, which it moves along. The two forms are kept
// apart so that a straight row adds the step exactly as it is.
template <bool kTurning>
void run_rows(ProfilePoint& before_last, ProfilePoint& last, double k, ProfilePoint* out,
              std::size_t count) {
  double x2 = before_last.x, y2 = before_last.y, x1 = last.x, y1 = last.y;
  for (std::size_t i = 0; i < count; ++i) {
    const double dx = x1 - x2;
    const double dy = y1 - y2;
    double x, y;
    if constexpr (kTurning) {
      x = x1 + (dx + k * dy);
      y = y1 + (dy - k * dx);
    } else {
      x = x1 + dx;
      y = y1 + dy;
    }
    x2 = x1;
    y2 = y1;
    x1 = x;
    y1 = y;
    out[i] = {x, y};
  }
  before_last = {x2, y2};
  last = {x1, y1};
}

}  // namespace

void PlanRows::fill(ProfilePoint* out, std::size_t count) {
  while (count > 0) {
    while (run_ < runs_->size() && (*runs_)[run_].end <= row_) ++run_;
    if (run_ >= runs_->size()) throw std::logic_error("the plan has no row after the last one");
    const PlanRun& run = (*runs_)[run_];
    const std::size_t rows = std::min(count, static_cast<std::size_t>(run.end - row_));
    if (run.turning) {
      run_rows<true>(before_last_, last_, run.k, out, rows);
    } else {
      run_rows<false>(before_last_, last_, run.k, out, rows);
    }
    row_ += static_cast<std::int64_t>(rows);
    out += rows;
    count -= rows;
  }
}

}  // namespace scenario
