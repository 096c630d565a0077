#include "author_text/saved_characters.h"

#include "model/code_page_1252.h"
#include "model/utf8.h"

namespace scenario::author {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

bool starts_with(std::string_view text, std::string_view start) {
  return text.substr(0, start.size()) == start;
}

std::string hex(std::uint32_t value, int digits) {
  constexpr std::string_view kDigits = "0123456789ABCDEF";
  std::string text = "0x";
  for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
    text += kDigits[(value >> shift) & 0xF];
  return text;
}

// Without a mark, UTF-8 is taken only when it cannot be code page 1252 text: bytes above 0x7F
// that all form UTF-8 characters are most unlikely in a file saved in the code page, while
// text of ASCII alone reads the same either way.
bool looks_utf8(std::string_view saved) {
  bool above_ascii = false;
  for (std::size_t at = 0; at < saved.size();) {
    const auto c = next_utf8_character(saved, at);
    if (!c) return false;
    above_ascii = above_ascii || *c > 0x7F;
  }
  return above_ascii;
}

std::variant<char32_t, std::string> next_utf8(std::string_view saved, std::size_t& at) {
  if (const auto c = next_utf8_character(saved, at)) return *c;
  return "byte " + hex(static_cast<unsigned char>(saved[at]), 2) +
         " is not part of a well-formed UTF-8 character";
}

std::variant<char32_t, std::string> next_utf16(std::string_view saved, bool big_endian,
                                               std::size_t& at) {
  const auto unit = [&](std::size_t k) -> std::uint32_t {
    const auto first = static_cast<unsigned char>(saved[k]);
    const auto second = static_cast<unsigned char>(saved[k + 1]);
    return big_endian ? (first << 8) | second : (second << 8) | first;
  };
  if (saved.size() - at < 2) {
    return std::string("the file ends in half a UTF-16 character (an odd number of bytes)");
  }
  const std::uint32_t high = unit(at);
  if (high >= 0xDC00 && high <= 0xDFFF) {
    return "UTF-16 unit " + hex(high, 4) + " is the second half of a pair without its first";
  }
  if (high < 0xD800 || high > 0xDBFF) {
    at += 2;
    return static_cast<char32_t>(high);
  }
  const std::uint32_t low = saved.size() - at >= 4 ? unit(at + 2) : 0;
  if (low < 0xDC00 || low > 0xDFFF) {
    return "UTF-16 unit " + hex(high, 4) + " is the first half of a pair without its second";
  }
  at += 4;
  return static_cast<char32_t>(0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00));
}

}  // namespace

std::string_view encoding_name(SavedEncoding encoding) {
  switch (encoding) {
    case SavedEncoding::utf8:
      return "UTF-8";
    case SavedEncoding::utf16le:
      return "UTF-16 LE";
    case SavedEncoding::utf16be:
      return "UTF-16 BE";
    case SavedEncoding::cp1252:
      break;
  }
  return "code page 1252";
}

SavedForm saved_form(std::string_view saved, EncodingChoice choice) {
  const bool utf8_mark = starts_with(saved, kUtf8Mark);
  const bool le_mark = starts_with(saved, kUtf16LeMark);
  const bool be_mark = starts_with(saved, kUtf16BeMark);
  switch (choice) {
    case EncodingChoice::cp1252:
      return {};
    case EncodingChoice::utf8:
      return {SavedEncoding::utf8, utf8_mark ? kUtf8Mark.size() : 0};
    case EncodingChoice::utf16:
      if (be_mark) return {SavedEncoding::utf16be, kUtf16BeMark.size()};
      return {SavedEncoding::utf16le, le_mark ? kUtf16LeMark.size() : 0};
    case EncodingChoice::automatic:
      break;
  }
  if (le_mark) return {SavedEncoding::utf16le, kUtf16LeMark.size()};
  if (be_mark) return {SavedEncoding::utf16be, kUtf16BeMark.size()};
  if (utf8_mark) return {SavedEncoding::utf8, kUtf8Mark.size()};
  if (looks_utf8(saved)) return {SavedEncoding::utf8, 0};
  return {};
}

std::variant<char32_t, std::string> next_saved_character(std::string_view saved,
                                                         SavedEncoding encoding, std::size_t& at) {
  switch (encoding) {
    case SavedEncoding::utf16le:
      return next_utf16(saved, false, at);
    case SavedEncoding::utf16be:
      return next_utf16(saved, true, at);
    case SavedEncoding::cp1252:
      return code_page_1252_character(static_cast<unsigned char>(saved[at++]));
    case SavedEncoding::utf8:
      break;
  }
  return next_utf8(saved, at);
}

}  // namespace scenario::author
