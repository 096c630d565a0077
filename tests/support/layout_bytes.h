#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace scenario::testing {

// Bytes of a compiled file put together field by field from the documented layout: integers
// two's complement and little-endian, reals as their eight IEEE bytes, a name as a 16-bit byte
// count and its bytes. Tests build their fixtures and rebuild files with it, never with the
// pack's own writer.
class LayoutBytes {
 public:
  LayoutBytes& u8(std::uint64_t v) { return little_endian(v, 1); }
  LayoutBytes& u16(std::uint64_t v) { return little_endian(v, 2); }
  LayoutBytes& i16(std::int64_t v) { return little_endian(static_cast<std::uint64_t>(v), 2); }
  LayoutBytes& i32(std::int64_t v) { return little_endian(static_cast<std::uint64_t>(v), 4); }
  LayoutBytes& u64(std::uint64_t v) { return little_endian(v, 8); }
  LayoutBytes& counted(std::string_view text) {
    u16(text.size());
    bytes_.append(text);
    return *this;
  }
  LayoutBytes& raw(std::string_view more) {
    bytes_.append(more);
    return *this;
  }

  const std::string& bytes() const { return bytes_; }
  std::size_t size() const { return bytes_.size(); }

 private:
  LayoutBytes& little_endian(std::uint64_t v, int width) {
    for (int i = 0; i < width; ++i) bytes_.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    return *this;
  }

  std::string bytes_;
};

}  // namespace scenario::testing
