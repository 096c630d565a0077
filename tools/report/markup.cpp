#include "markup.h"

#include <array>
#include <cstdint>
#include <cstdlib>

#include "model/rounding.h"

namespace scenario::report {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Code points of bytes 0x80 to 0x9F in the Western code page; 0 where it defines none.
constexpr std::array<char32_t, 32> kHighControls{
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t code_point(unsigned char byte) {
  if (byte < 0x20) return byte == '\t' ? byte : kReplacement;
  if (byte == 0x7F) return kReplacement;
  if (byte < 0x80 || byte >= 0xA0) return byte;
  const char32_t mapped = kHighControls[byte - 0x80];
  return mapped != 0 ? mapped : kReplacement;
}

void append_utf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

constexpr std::array<std::int64_t, 7> kPowersOfTen{1, 10, 100, 1000, 10000, 100000, 1000000};
// Below 2^53, where every integer is still exact as a double.
constexpr std::int64_t kLargestScaled = 9'000'000'000'000'000;

// Length of the well-formed UTF-8 sequence of two bytes or more at the start of `text`, or 0.
std::size_t utf8_sequence(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const auto continuation = [&](std::size_t i) {
    return i < text.size() && (byte(i) & 0xC0) == 0x80;
  };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  char32_t c = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    c = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    c = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    c = lead & 0x07;
  } else {
    return 0;
  }
  for (std::size_t i = 1; i < length; ++i) {
    if (!continuation(i)) return 0;
    c = (c << 6) | (byte(i) & 0x3F);
  }
  // Overlong forms, surrogates and code points past U+10FFFF are not well formed; U+FFFE and
  // U+FFFF are, but XML cannot carry them.
  const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (c < smallest[length] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return 0;
  if (c == 0xFFFE || c == 0xFFFF) return 0;
  return length;
}

void append_escaped_point(std::string& out, char32_t c) {
  switch (c) {
    case '&':
      out += "&amp;";
      break;
    case '<':
      out += "&lt;";
      break;
    case '>':
      out += "&gt;";
      break;
    case '"':
      out += "&quot;";
      break;
    case '\'':
      out += "&#39;";
      break;
    default:
      append_utf8(out, c);
  }
}

}  // namespace

void append_escaped(std::string& out, std::string_view text) {
  for (const char raw : text)
    append_escaped_point(out, code_point(static_cast<unsigned char>(raw)));
}

void append_escaped_mixed(std::string& out, std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    if (const std::size_t length = utf8_sequence(text.substr(i)); length != 0) {
      out.append(text.substr(i, length));
      i += length;
    } else {
      append_escaped_point(out, code_point(static_cast<unsigned char>(text[i])));
      ++i;
    }
  }
}

std::string escaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  append_escaped(out, text);
  return out;
}

void append_fixed(std::string& out, double value, int decimals) {
  if (decimals < 0) decimals = 0;
  if (decimals > 6) decimals = 6;
  const std::int64_t unit = kPowersOfTen[static_cast<std::size_t>(decimals)];
  const auto whole = round_to<std::int64_t>(value * static_cast<double>(unit));
  if (!whole || *whole < -kLargestScaled || *whole > kLargestScaled) {
    out += '0';
    return;
  }
  if (*whole < 0) out += '-';
  const std::int64_t magnitude = std::llabs(*whole);
  out += std::to_string(magnitude / unit);
  if (decimals == 0) return;
  const std::string fraction = std::to_string(magnitude % unit);
  out += '.';
  out.append(static_cast<std::size_t>(decimals) - fraction.size(), '0');
  out += fraction;
}

std::string fixed(double value, int decimals) {
  std::string out;
  append_fixed(out, value, decimals);
  return out;
}

std::string clock_time(long long seconds) {
  std::string out = seconds < 0 ? "-" : "";
  const unsigned long long total =
      seconds < 0 ? 0ULL - static_cast<unsigned long long>(seconds) : seconds;
  const auto two = [&out](unsigned long long v) {
    if (v < 10) out += '0';
    out += std::to_string(v);
  };
  two(total / 3600);
  out += ':';
  two(total / 60 % 60);
  out += ':';
  two(total % 60);
  return out;
}

}  // namespace scenario::report
