#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace scenario::inspect {

// Reads little-endian fields from bytes held in memory, whatever the host's byte order. Callers
// ask has() before a record so that they can say what is missing; a read past the end still
// takes nothing, returns 0 and marks the cursor as overrun, so no read ever leaves the buffer.
class ByteCursor {
 public:
  explicit ByteCursor(std::string_view bytes) : bytes_(bytes) {}

  std::size_t offset() const { return at_; }
  std::size_t size() const { return bytes_.size(); }
  std::size_t remaining() const { return bytes_.size() - at_; }
  bool has(std::size_t count) const { return count <= remaining(); }
  bool overrun() const { return overrun_; }

  std::uint8_t u8() { return static_cast<std::uint8_t>(little_endian(1)); }
  std::uint16_t u16() { return static_cast<std::uint16_t>(little_endian(2)); }
  std::int16_t i16() { return static_cast<std::int16_t>(u16()); }
  std::int32_t i32() {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(little_endian(4)));
  }
  std::uint64_t u64() { return little_endian(8); }

  // The next `count` bytes as they stand; empty (and overrun) when fewer are left.
  std::string_view take(std::size_t count) {
    if (!has(count)) {
      overrun_ = true;
      return {};
    }
    const std::string_view taken = bytes_.substr(at_, count);
    at_ += count;
    return taken;
  }

 private:
  std::uint64_t little_endian(std::size_t width) {
    if (!has(width)) {
      overrun_ = true;
      return 0;
    }
    std::uint64_t v = 0;
    for (std::size_t i = 0; i < width; ++i) {
      v |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes_[at_ + i])) << (8 * i);
    }
    at_ += width;
    return v;
  }

  std::string_view bytes_;
  std::size_t at_ = 0;
  bool overrun_ = false;
};

}  // namespace scenario::inspect
