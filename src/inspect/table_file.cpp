#include "inspect/table_file.h"

#include <optional>
#include <string>

#include "inspect/byte_cursor.h"

namespace scenario::inspect {

namespace {

// Reads one slot field by field, stopping with a fault at the first field the file cuts off.
class SlotReader {
 public:
  SlotReader(ByteCursor& in, std::string_view file, int slot) : in_(in), file_(file), slot_(slot) {}

  // True when `width` more bytes are there for `field`; otherwise records the fault.
  bool has(std::size_t width, std::string_view field) {
    if (fault_) return false;
    if (in_.has(width)) return true;
    fault_ = LayoutFault{
        std::string(file_), in_.size(),
        "the file ends inside slot " + std::to_string(slot_) + "'s " + std::string(field)};
    return false;
  }

  // Reads the name's count and then the name, refusing a count that runs past the end.
  bool name(std::string& text) {
    if (!has(2, "name length")) return false;
    const std::uint64_t length_at = in_.offset();
    const std::uint16_t length = in_.u16();
    if (!in_.has(length)) {
      fault_ =
          LayoutFault{std::string(file_), length_at,
                      "slot " + std::to_string(slot_) + "'s name length " + std::to_string(length) +
                          " runs past the end of the file: the name "
                          "would end at byte " +
                          std::to_string(in_.offset() + length) + ", the file has " +
                          std::to_string(in_.size()) + " bytes"};
      return false;
    }
    text = std::string(in_.take(length));
    return true;
  }

  std::optional<LayoutFault>& fault() { return fault_; }

 private:
  ByteCursor& in_;
  std::string_view file_;
  int slot_;
  std::optional<LayoutFault> fault_;
};

bool read_slot(ByteCursor& in, SlotReader& field, SimSlot& slot) {
  if (!field.has(1, "type")) return false;
  slot.type = in.u8();
  if (!field.has(4, "zone_start")) return false;
  slot.zone_start = in.i32();
  if (!field.has(4, "zone_end")) return false;
  slot.zone_end = in.i32();
  if (!field.has(4, "position")) return false;
  slot.position = in.i32();
  if (!field.has(1, "param4")) return false;
  slot.param4 = in.u8();
  if (!field.name(slot.name)) return false;
  if (!field.has(2, "param7")) return false;
  slot.param7 = in.i16();
  if (!field.has(2, "param8")) return false;
  slot.param8 = in.i16();
  if (!field.has(2, "param10")) return false;
  slot.param10 = in.i16();
  if (!field.has(2, "param11")) return false;
  slot.param11 = in.i16();
  if (!field.has(2, "param12")) return false;
  slot.param12 = in.i16();
  if (!field.has(1, "param9")) return false;
  slot.param9 = in.u8();
  if (!field.has(1, "param13")) return false;
  slot.param13 = in.u8();
  if (!field.has(1, "param6")) return false;
  slot.param6 = in.u8();
  if (!field.has(1, "param5")) return false;
  slot.param5 = in.u8();
  if (!field.has(4, "time_s")) return false;
  slot.time_s = in.i32();
  return true;
}

}  // namespace

LayoutResult<TableFile> read_table_file(std::string_view bytes, std::string_view file) {
  TableFile table;
  ByteCursor in(bytes);
  for (int k = 0; k < kSimSlotCount; ++k) {
    table.slot_offsets[static_cast<std::size_t>(k)] = in.offset();
    SlotReader field(in, file, k);
    if (!read_slot(in, field, table.slots[static_cast<std::size_t>(k)])) {
      return std::move(*field.fault());
    }
  }
  if (in.remaining() != 0) {
    return LayoutFault{std::string(file), in.offset(),
                       bytes_follow(in.remaining()) + " the 87 slots"};
  }
  return table;
}

}  // namespace scenario::inspect
