#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace scenario {

// The type tag each profile element carries into the profile file.
enum class ProfileTag : std::uint8_t { empty = 0, int16 = 2, real = 5 };

// One point of the plan: column 0 (x) and column 1 (y) of a row.
struct ProfilePoint {
  double x;
  double y;
  bool operator==(const ProfilePoint&) const = default;
};

// How a run of computed rows continues the line: each row repeats the step of the two rows
// before it, straight or turned by `k` per metre.
struct PlanRun {
  std::int64_t end;  // one past the run's last row; the run starts where the one before ended
  bool turning;
  double k;
  bool operator==(const PlanRun&) const = default;
};

// The plan of the line: rows 0 to route_span (one per metre), columns 0 (x) and 1 (y). A long
// line has two million elements, and every one of them follows from rows 0 and 1 (the seed,
// 16-bit values) and from how each later row continues the two before it. So only the seed
// and the runs of computed rows are held; the points are computed again, in order, whenever
// they are read (PlanRows), always by the same arithmetic, so always to the same bits. Rows
// from 2 on are computed in order (reals); the rows never reached are empty.
class LineProfile {
 public:
  explicit LineProfile(std::int32_t last_row) : rows_(std::int64_t{last_row} + 1) {}

  std::int32_t last_row() const { return static_cast<std::int32_t>(rows_ - 1); }
  bool contains_row(std::int64_t row) const { return row >= 0 && row < rows_; }

  // Seeds rows 0 and 1; any other row throws std::logic_error. Callers check contains_row().
  void set_int16(std::int64_t row, int column, std::int16_t v);
  // Computes rows computed_end() to `through` in both columns, each continuing the step of
  // the two rows before it: straight, or turned by `k` per metre (a first-order rotation, not
  // renormalised). A `through` before computed_end() adds nothing; one past last_row() throws
  // std::logic_error, since rows outside the profile have no place.
  void extend_straight(std::int64_t through) { extend(through, false, 0.0); }
  void extend_turning(std::int64_t through, double k) { extend(through, true, k); }

  ProfileTag tag(std::int64_t row, int column) const {
    if (row < kFirstComputed) {
      return seeded_[seed_index(row, column)] ? ProfileTag::int16 : ProfileTag::empty;
    }
    return row < computed_end_ ? ProfileTag::real : ProfileTag::empty;
  }
  // The element's value as a double (0 for an empty element); 16-bit values are exact. A
  // computed row is computed again from the seed, so this is for single look-ups: walk the
  // rows with PlanRows to read many.
  double value(std::int64_t row, int column) const;
  // A seed row's point, 0 where an element was not set.
  ProfilePoint seed_point(std::int64_t row) const {
    return {seed_value(row, 0), seed_value(row, 1)};
  }

  // Rows kFirstComputed to computed_end() - 1 hold reals, in both columns.
  std::int64_t computed_end() const { return computed_end_; }
  const std::vector<PlanRun>& runs() const { return runs_; }

  bool operator==(const LineProfile&) const = default;

  static constexpr std::int64_t kFirstComputed = 2;

 private:
  void extend(std::int64_t through, bool turning, double k);
  static std::size_t seed_index(std::int64_t row, int column) {
    return static_cast<std::size_t>(2 * column + row);
  }
  double seed_value(std::int64_t row, int column) const {
    return seeded_[seed_index(row, column)] ? seed_[seed_index(row, column)] : 0.0;
  }

  std::int64_t rows_;
  std::array<bool, 4> seeded_{};  // rows 0 and 1 of column 0, then of column 1
  std::array<std::int16_t, 4> seed_{};
  std::int64_t computed_end_ = kFirstComputed;
  std::vector<PlanRun> runs_;  // in order, from kFirstComputed to computed_end_
};

// The computed rows of a plan in order, from row 2 to computed_end() - 1, each computed from
// the two before it exactly as the route compiler defined them. Reads `profile`, which must
// outlive the walk and not change during it.
class PlanRows {
 public:
  explicit PlanRows(const LineProfile& profile);

  // The next row's point; there is one while next_row() < profile.computed_end().
  ProfilePoint next() {
    ProfilePoint point;
    fill(&point, 1);
    return point;
  }
  // The next `count` rows' points into out[0] to out[count - 1]; there must be that many.
  // Walking many rows at once keeps the two rows before in registers.
  void fill(ProfilePoint* out, std::size_t count);
  std::int64_t next_row() const { return row_; }

 private:
  const std::vector<PlanRun>* runs_;
  std::size_t run_ = 0;
  std::int64_t row_ = LineProfile::kFirstComputed;
  ProfilePoint before_last_;
  ProfilePoint last_;
};

}  // namespace scenario
