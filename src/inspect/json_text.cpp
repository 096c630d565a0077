#include "inspect/json_text.h"

#include <array>
#include <charconv>
#include <string>

#include "model/code_page_1252.h"
#include "model/utf8.h"

namespace scenario::inspect {

void json_string(TextOut& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  out << '"';
  for (char c : valid_utf8(text)) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out << '\\' << c;
    } else if (byte < 0x20) {
      out << "\\u00" << kHex[byte >> 4] << kHex[byte & 0xF];
    } else {
      out << c;
    }
  }
  out << '"';
}

void json_name(TextOut& out, std::string_view single_byte_name) {
  json_string(out, code_page_1252_to_utf8(single_byte_name));
}

void json_real(TextOut& out, double v) {
  std::array<char, 32> room;
  const auto [end, error] = std::to_chars(room.data(), room.data() + room.size(), v);
  const std::string_view text(room.data(), error == std::errc() ? end - room.data() : 0);
  out << text;
  if (text.find_first_of(".e") == std::string_view::npos) out << ".0";
}

}  // namespace scenario::inspect
