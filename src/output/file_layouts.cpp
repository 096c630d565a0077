#include "output/file_layouts.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/rounding.h"

namespace scenario {

namespace {

constexpr std::size_t kTagBytes = 2;
constexpr std::size_t kRealElementBytes = kTagBytes + 8;
constexpr std::size_t kCellBytes = 15;
constexpr std::size_t kPlanBlock = 4096;  // rows computed before they are encoded

// One column: the seed rows as their tags say, then the computed rows, computed again in order
// as they are written, then the rows never reached. The tags follow from the ranges, so the
// long runs are written without a test per element.
void write_column(ByteWriter& out, const LineProfile& profile, int column) {
  const std::int64_t rows = std::int64_t{profile.last_row()} + 1;
  const std::int64_t seed_end = std::min(LineProfile::kFirstComputed, rows);
  for (std::int64_t row = 0; row < seed_end; ++row) {
    const ProfileTag tag = profile.tag(row, column);
    out.u16(static_cast<std::uint16_t>(tag));
    // Held as a double but always a whole 16-bit value, so the conversion is exact.
    if (tag == ProfileTag::int16) {
      out.i16(round_to<std::int16_t>(profile.value(row, column)).value_or(0));
    }
  }
  const std::int64_t computed_end = std::max(seed_end, std::min(profile.computed_end(), rows));
  // The rows are computed a block at a time, then encoded.
  PlanRows plan(profile);
  std::vector<ProfilePoint> block(kPlanBlock);
  for (std::int64_t row = seed_end; row < computed_end;) {
    const std::size_t n = static_cast<std::size_t>(
        std::min<std::int64_t>(computed_end - row, static_cast<std::int64_t>(kPlanBlock)));
    plan.fill(block.data(), n);
    out.records(n, kRealElementBytes, [&block, column](char* at, std::size_t i) {
      ByteWriter::store(at, static_cast<std::uint16_t>(ProfileTag::real));
      ByteWriter::store_f64(at + kTagBytes, column == 0 ? block[i].x : block[i].y);
    });
    row += static_cast<std::int64_t>(n);
  }
  out.records(static_cast<std::size_t>(rows - computed_end), kTagBytes, [](char* at, std::size_t) {
    ByteWriter::store(at, static_cast<std::uint16_t>(ProfileTag::empty));
  });
}

void write_slot(ByteWriter& out, const SimSlot& slot) {
  out.u8(slot.type);
  out.i32(slot.zone_start);
  out.i32(slot.zone_end);
  out.i32(slot.position);
  out.u8(slot.param4);
  out.counted_string(slot.name);
  out.i16(slot.param7);
  out.i16(slot.param8);
  out.i16(slot.param10);
  out.i16(slot.param11);
  out.i16(slot.param12);
  out.u8(slot.param9);
  out.u8(slot.param13);
  out.u8(slot.param6);
  out.u8(slot.param5);
  out.i32(slot.time_s);
}

void encode_cell(char* at, const TrackCell& cell) {
  ByteWriter::store(at, static_cast<std::uint8_t>(cell.kind));
  ByteWriter::store_i16(at + 1, cell.value1);
  ByteWriter::store_i16(at + 3, cell.value2);
  ByteWriter::store_i16(at + 5, cell.value3);
  ByteWriter::store_i16(at + 7, cell.value4);
  ByteWriter::store(at + 9, cell.signal_time);
  ByteWriter::store(at + 10, cell.marker);
  ByteWriter::store(at + 11, cell.mountain_type);
  ByteWriter::store(at + 12, cell.speed_limit);
  ByteWriter::store(at + 13, cell.gradient);
  ByteWriter::store(at + 14, cell.adhesion);
}

}  // namespace

void write_line_profile(ByteWriter& out, const LineProfile& profile) {
  write_column(out, profile, 0);
  write_column(out, profile, 1);
}

void write_sim_table(ByteWriter& out, const SimTable& table) {
  for (const SimSlot& slot : table) write_slot(out, slot);
}

void write_cell_array(ByteWriter& out, const CellArray& cells) {
  const std::vector<TrackCell>& all = cells.all();
  out.records(all.size(), kCellBytes, [&all](char* at, std::size_t i) { encode_cell(at, all[i]); });
}

}  // namespace scenario
