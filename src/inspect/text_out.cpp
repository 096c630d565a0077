#include "inspect/text_out.h"

#include <array>
#include <charconv>
#include <cstring>

namespace scenario::inspect {

namespace {

template <class T>
std::string_view formatted(std::array<char, 32>& room, T v) {
  const auto [end, error] = std::to_chars(room.data(), room.data() + room.size(), v);
  // 32 characters hold every 64-bit integer and every shortest double.
  if (error != std::errc()) return "?";
  return std::string_view(room.data(), static_cast<std::size_t>(end - room.data()));
}

}  // namespace

TextOut& TextOut::operator<<(std::int64_t v) {
  std::array<char, 32> room;
  return *this << formatted(room, v);
}

TextOut& TextOut::operator<<(std::uint64_t v) {
  std::array<char, 32> room;
  return *this << formatted(room, v);
}

TextOut& TextOut::real(double v) {
  std::array<char, 32> room;
  return *this << formatted(room, v);
}

TextOut& TextOut::operator<<(std::string_view text) {
  if (text.empty()) return *this;
  if (text.size() > kChunk - used_) {
    flush();
    // A piece larger than the buffer goes out as it is.
    if (text.size() >= kChunk) {
      out_.write(text.data(), static_cast<std::streamsize>(text.size()));
      return *this;
    }
  }
  std::memcpy(buffer_.get() + used_, text.data(), text.size());
  used_ += text.size();
  return *this;
}

void TextOut::flush() {
  if (used_ == 0) return;
  out_.write(buffer_.get(), static_cast<std::streamsize>(used_));
  used_ = 0;
}

}  // namespace scenario::inspect
