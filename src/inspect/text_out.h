#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

namespace scenario::inspect {

// Streams a report to `out` in large pieces: a dump of a long line runs to tens of megabytes,
// which are neither built whole in memory nor written a few bytes at a time. Numbers are
// formatted without the stream's locale, so the output is the same everywhere.
class TextOut {
 public:
  explicit TextOut(std::ostream& out) : out_(out) { buffer_.reserve(kChunk + kChunk / 4); }
  ~TextOut() { flush(); }
  TextOut(const TextOut&) = delete;
  TextOut& operator=(const TextOut&) = delete;

  TextOut& operator<<(std::string_view text) {
    buffer_.append(text);
    return spill();
  }
  TextOut& operator<<(char c) {
    buffer_.push_back(c);
    return spill();
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
  static constexpr std::size_t kChunk = 1 << 16;

  TextOut& spill() {
    if (buffer_.size() >= kChunk) flush();
    return *this;
  }

  std::ostream& out_;
  std::string buffer_;
};

// The shortest decimal text of `v` that reads back as exactly `v`, as TextOut::real writes it.
std::string real_text(double v);

}  // namespace scenario::inspect
