#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <stdexcept>
#include <string_view>

#include "model/file_fault.h"

namespace scenario {

// Where a ByteWriter hands its buffer each time it is full, and once more at the end.
class ByteDrain {
 public:
  // Takes the bytes in order; a fault ends the file being written.
  virtual FileResult<> drain(std::string_view bytes) = 0;

 protected:
  ~ByteDrain() = default;
};

// Writes the bytes of one file, little-endian whatever the host, into a fixed buffer that is
// handed to a drain each time it fills, so a file of any length takes no more memory than the
// buffer. The first fault, from the drain or from fail(), is kept; after it nothing more reaches
// the drain and finish() returns it, so the file is not put in place.
class ByteWriter {
 public:
  // The buffer is not cleared: every byte of it is written before it is drained. Values may
  // straddle two fillings of it; an empty buffer is replaced by a one-byte one of the writer's.
  ByteWriter(std::span<char> buffer, ByteDrain& drain);
  ByteWriter(const ByteWriter&) = delete;
  ByteWriter& operator=(const ByteWriter&) = delete;

  void u8(std::uint8_t v) { put(v); }
  void u16(std::uint16_t v) { put(v); }
  void i16(std::int16_t v) { put(static_cast<std::uint16_t>(v)); }
  void i32(std::int32_t v) { put(static_cast<std::uint32_t>(v)); }
  void f64(double v) { put(std::bit_cast<std::uint64_t>(v)); }

  // `count` records of `size` bytes each (at most kLargestRecord), record i filled in place by
  // encode(at, i), which writes its `size` bytes from `at` on with the store functions below.
  // Long runs of records are written straight into the buffer, with no test per value.
  static constexpr std::size_t kLargestRecord = 64;
  template <class Encode>
  void records(std::size_t count, std::size_t size, Encode encode) {
    if (size == 0 || size > kLargestRecord) {
      throw std::invalid_argument("a record is 1 to 64 bytes long");
    }
    std::size_t i = 0;
    while (i < count) {
      const std::size_t fit = std::min(static_cast<std::size_t>(end_ - next_) / size, count - i);
      if (fit == 0) {  // a record straddling two fillings of the buffer
        char one[kLargestRecord];
        encode(one, i++);
        text(std::string_view(one, size));
        continue;
      }
      for (const std::size_t last = i + fit; i < last; ++i, next_ += size) encode(next_, i);
    }
  }

  // Little-endian stores for encode functions; each writes sizeof v bytes at `at`.
  template <class Unsigned>
  static void store(char* at, Unsigned v) {
    if constexpr (std::endian::native == std::endian::little) {
      std::memcpy(at, &v, sizeof v);
    } else {
      for (std::size_t i = 0; i < sizeof v; ++i) at[i] = static_cast<char>(v >> (8 * i));
    }
  }
  static void store_i16(char* at, std::int16_t v) { store(at, static_cast<std::uint16_t>(v)); }
  static void store_f64(char* at, double v) { store(at, std::bit_cast<std::uint64_t>(v)); }

  // Single-byte characters as they stand, no count, no terminator.
  void text(std::string_view bytes);

  // A 16-bit byte count followed by the single-byte characters, no terminator. The count field
  // cannot say more than 65535, so a longer text keeps only its first 65535 bytes and the
  // count always matches what follows.
  void counted_string(std::string_view bytes);

  // Ends the file with `fault`, unless an earlier fault already did.
  void fail(FileFault fault);
  bool failed() const { return !status_.ok(); }

  // Drains what is still buffered; returns the first fault met while writing, if any.
  FileResult<> finish();

 private:
  template <class Unsigned>
  void put(Unsigned v) {
    char bytes[sizeof v];
    store(bytes, v);
    if (static_cast<std::size_t>(end_ - next_) >= sizeof v) {
      std::memcpy(next_, bytes, sizeof v);
      next_ += sizeof v;
    } else {
      text(std::string_view(bytes, sizeof v));
    }
  }

  // Hands the buffered bytes to the drain (unless a fault came first) and starts it afresh.
  void spill();

  char* begin_;
  char* next_;
  char* end_;
  ByteDrain& drain_;
  FileResult<> status_;
  char spare_[1];
};

}  // namespace scenario
