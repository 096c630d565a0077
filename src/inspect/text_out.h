#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

namespace scenario::inspect {

// Streams a report to `out` in large pieces: a dump of a long line runs to tens of megabytes,
// which are neither built whole in memory nor written a few bytes at a time. Numbers are
// formatted without the stream's locale, so the output is the same everywhere.
class TextOut {
 public:
  explicit TextOut(std::ostream& out) : out_(out), buffer_(new char[kChunk]) {}
  ~TextOut() { flush(); }
  TextOut(const TextOut&) = delete;
  TextOut& operator=(const TextOut&) = delete;

  TextOut& operator<<(std::string_view text);
  TextOut& operator<<(char c) {
    if (used_ == kChunk) flush();
    buffer_[used_++] = c;
    return *this;
  }
  TextOut& operator<<(std::int64_t v);
  TextOut& operator<<(std::int32_t v) { return *this << static_cast<std::int64_t>(v); }
  TextOut& operator<<(std::int16_t v) { return *this << static_cast<std::int64_t>(v); }
  TextOut& operator<<(std::uint8_t v) { return *this << static_cast<std::int64_t>(v); }
  TextOut& operator<<(std::uint16_t v) { return *this << static_cast<std::int64_t>(v); }
  TextOut& operator<<(std::uint64_t v);

  // The shortest text that reads back as exactly `v` ("0", "2", "0.0004", "1e+20", "-0").
  TextOut& real(double v);

  void flush();

 private:
  static constexpr std::size_t kChunk = std::size_t{1} << 16;

  std::ostream& out_;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
};

}  // namespace scenario::inspect
