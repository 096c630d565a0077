#include "model/code_page_1252.h"

#include <array>
#include <cstddef>

#include "model/utf8.h"

namespace scenario {

namespace {

// 0x80 to 0x9F, where the code page departs from Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

}  // namespace

std::optional<unsigned char> code_page_1252_byte(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
  for (std::size_t k = 0; k < kHighControls.size(); ++k) {
    if (kHighControls[k] == c) return static_cast<unsigned char>(0x80 + k);
  }
  return std::nullopt;
}

char32_t code_page_1252_character(unsigned char byte) {
  if (byte >= 0x80 && byte < 0xA0) return kHighControls[byte - 0x80];
  return byte;
}

std::string code_page_1252_to_utf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char byte : text) {
    append_utf8(out, code_page_1252_character(static_cast<unsigned char>(byte)));
  }
  return out;
}

std::u16string code_page_1252_to_utf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (const char byte : text) {
    out.push_back(
        static_cast<char16_t>(code_page_1252_character(static_cast<unsigned char>(byte))));
  }
  return out;
}

std::optional<std::string> utf8_to_code_page_1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const auto c = next_utf8_character(text, at);
    if (!c) return std::nullopt;
    const auto byte = code_page_1252_byte(*c);
    if (!byte) return std::nullopt;
    out.push_back(static_cast<char>(*byte));
  }
  return out;
}

}  // namespace scenario
