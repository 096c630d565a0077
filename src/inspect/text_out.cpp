#include "inspect/text_out.h"

#include <array>
#include <charconv>

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

void TextOut::flush() {
  if (buffer_.empty()) return;
  out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
  buffer_.clear();
}

std::string real_text(double v) {
  std::array<char, 32> room;
  return std::string(formatted(room, v));
}

}  // namespace scenario::inspect
