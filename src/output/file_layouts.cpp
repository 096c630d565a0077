#include "output/file_layouts.h"

#include <cstddef>
#include <cstdint>

#include "model/rounding.h"
#include "output/byte_writer.h"

namespace scenario {

namespace {

constexpr std::size_t kSlotFixedBytes = 34;
constexpr std::size_t kCellBytes = 15;
constexpr std::size_t kLargestProfileElement = 10;

void write_element(ByteWriter& out, const LineProfile& profile, std::int32_t row, int column) {
  const ProfileTag tag = profile.tag(row, column);
  out.u16(static_cast<std::uint16_t>(tag));
  switch (tag) {
    case ProfileTag::empty:
      break;
    case ProfileTag::int16:
      // Held as a double but always a whole 16-bit value, so the conversion is exact.
      out.i16(round_to<std::int16_t>(profile.value(row, column)).value_or(0));
      break;
    case ProfileTag::real:
      out.f64(profile.value(row, column));
      break;
  }
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

void write_cell(ByteWriter& out, const TrackCell& cell) {
  out.u8(static_cast<std::uint8_t>(cell.kind));
  out.i16(cell.value1);
  out.i16(cell.value2);
  out.i16(cell.value3);
  out.i16(cell.value4);
  out.u8(cell.signal_time);
  out.u8(cell.marker);
  out.u8(cell.mountain_type);
  out.u8(cell.speed_limit);
  out.u8(cell.gradient);
  out.u8(cell.adhesion);
}

}  // namespace

std::string line_profile_bytes(const LineProfile& profile) {
  const std::size_t rows = static_cast<std::size_t>(profile.last_row()) + 1;
  ByteWriter out(2 * rows * kLargestProfileElement);
  for (int column = 0; column < 2; ++column) {
    for (std::int32_t row = 0; row <= profile.last_row(); ++row) {
      write_element(out, profile, row, column);
    }
  }
  return std::move(out).bytes();
}

std::string sim_table_bytes(const SimTable& table) {
  std::size_t size = 0;
  for (const SimSlot& slot : table) size += kSlotFixedBytes + slot.name.size();
  ByteWriter out(size);
  for (const SimSlot& slot : table) write_slot(out, slot);
  return std::move(out).bytes();
}

std::string cell_array_bytes(const CellArray& cells) {
  ByteWriter out(cells.all().size() * kCellBytes);
  for (const TrackCell& cell : cells.all()) write_cell(out, cell);
  return std::move(out).bytes();
}

}  // namespace scenario
