#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <utility>

namespace scenario {

// Builds the bytes of one binary file in memory, little-endian whatever the host, so that the
// whole file can be handed to replace_file in one piece.
class ByteWriter {
 public:
  // `expected_size` is reserved up front: a long line's profile runs to tens of megabytes.
  explicit ByteWriter(std::size_t expected_size) { bytes_.reserve(expected_size); }

  void u8(std::uint8_t v) { bytes_.push_back(static_cast<char>(v)); }
  void u16(std::uint16_t v) { little_endian(v, 2); }
  void i16(std::int16_t v) { little_endian(static_cast<std::uint16_t>(v), 2); }
  void i32(std::int32_t v) { little_endian(static_cast<std::uint32_t>(v), 4); }
  void f64(double v) { little_endian(std::bit_cast<std::uint64_t>(v), 8); }

  // A 16-bit byte count followed by the single-byte characters, no terminator. The count field
  // cannot say more than 65535, so a longer text keeps only its first 65535 bytes and the
  // count always matches what follows.
  void counted_string(std::string_view text) {
    const std::size_t count = text.size() < kMaxCounted ? text.size() : std::size_t{kMaxCounted};
    u16(static_cast<std::uint16_t>(count));
    bytes_.append(text.substr(0, count));
  }

  const std::string& bytes() const& { return bytes_; }
  std::string bytes() && { return std::move(bytes_); }

 private:
  static constexpr std::uint16_t kMaxCounted = std::numeric_limits<std::uint16_t>::max();

  void little_endian(std::uint64_t v, int width) {
    for (int i = 0; i < width; ++i) {
      bytes_.push_back(static_cast<char>(static_cast<std::uint8_t>(v >> (8 * i))));
    }
  }

  std::string bytes_;
};

}  // namespace scenario
