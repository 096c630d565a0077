#include "soak/code_page_bytes.h"

#include <cstdint>

namespace scenario::testing {

namespace {

// The characters the code page puts on bytes 80 to 9F, byte by byte.
struct HighByte {
  char32_t character;
  unsigned char byte;
};
constexpr HighByte kHighBytes[] = {
    {0x20AC, 0x80}, {0x0081, 0x81}, {0x201A, 0x82}, {0x0192, 0x83}, {0x201E, 0x84}, {0x2026, 0x85},
    {0x2020, 0x86}, {0x2021, 0x87}, {0x02C6, 0x88}, {0x2030, 0x89}, {0x0160, 0x8A}, {0x2039, 0x8B},
    {0x0152, 0x8C}, {0x008D, 0x8D}, {0x017D, 0x8E}, {0x008F, 0x8F}, {0x0090, 0x90}, {0x2018, 0x91},
    {0x2019, 0x92}, {0x201C, 0x93}, {0x201D, 0x94}, {0x2022, 0x95}, {0x2013, 0x96}, {0x2014, 0x97},
    {0x02DC, 0x98}, {0x2122, 0x99}, {0x0161, 0x9A}, {0x203A, 0x9B}, {0x0153, 0x9C}, {0x009D, 0x9D},
    {0x017E, 0x9E}, {0x0178, 0x9F}};

std::optional<unsigned char> byte_for(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
  for (const HighByte& high : kHighBytes) {
    if (high.character == c) return high.byte;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> code_page_1252_bytes(std::string_view utf8) {
  std::string bytes;
  std::size_t at = 0;
  while (at < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[at]);
    // Every character of the code page takes at most three bytes of UTF-8.
    const std::size_t length = lead < 0x80          ? 1
                               : (lead >> 5) == 0x6 ? 2
                               : (lead >> 4) == 0xE ? 3
                                                    : 0;
    if (length == 0 || utf8.size() - at < length) return std::nullopt;
    char32_t c = length == 1 ? lead : length == 2 ? (lead & 0x1F) : (lead & 0x0F);
    for (std::size_t k = 1; k < length; ++k) {
      const auto more = static_cast<unsigned char>(utf8[at + k]);
      if ((more >> 6) != 0x2) return std::nullopt;
      c = (c << 6) | (more & 0x3F);
    }
    // An overlong form stands for no character.
    if ((length == 2 && c < 0x80) || (length == 3 && c < 0x800)) return std::nullopt;
    const auto byte = byte_for(c);
    if (!byte) return std::nullopt;
    bytes.push_back(static_cast<char>(*byte));
    at += length;
  }
  return bytes;
}

}  // namespace scenario::testing
