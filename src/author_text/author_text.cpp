#include "author_text/author_text.h"

#include "author_text/line_counter.h"
#include "model/code_page_1252.h"
#include "model/utf8.h"

namespace scenario::author {

namespace {

// "U+0150", "U+1F600": at least four hexadecimal digits, more only as needed.
std::string hex_code(char32_t c) {
  constexpr std::string_view kDigits = "0123456789ABCDEF";
  std::string text;
  for (char32_t rest = c; rest != 0 || text.size() < 4; rest >>= 4) {
    text.insert(text.begin(), kDigits[rest & 0xF]);
  }
  return "U+" + text;
}

// A control character is named by its number alone, which is what an author can look up.
std::string not_in_code_page(char32_t c, SavedEncoding read_as) {
  std::string shown = hex_code(c);
  if (c >= 0xA0) {
    shown += " \"";
    append_utf8(shown, c);
    shown += "\"";
  }
  return "the character " + shown + " has no byte in code page 1252, the one the pack and the " +
         "simulator use: write it another way (the file was read as " +
         std::string(encoding_name(read_as)) + ")";
}

TextRefusal refusal_at(const LineCounter& lines, std::size_t offset, std::string message) {
  return {{lines.line(), static_cast<std::int32_t>(offset - lines.line_start() + 1)},
          std::move(message)};
}

}  // namespace

std::variant<AuthorText, TextRefusal> read_author_text(std::string_view saved,
                                                       EncodingChoice choice) {
  const SavedForm form = saved_form(saved, choice);
  AuthorText read;
  read.read_as = form.encoding;
  if (form.encoding == SavedEncoding::cp1252) {
    read.text = std::string(saved);
    return read;
  }
  read.byte_order_mark = form.mark_size > 0;
  read.text.reserve(saved.size());
  LineCounter lines(form.mark_size);
  for (std::size_t at = form.mark_size; at < saved.size();) {
    const std::size_t start = at;
    auto next = next_saved_character(saved, form.encoding, at);
    if (auto* fault = std::get_if<std::string>(&next)) {
      return refusal_at(lines, start, std::move(*fault));
    }
    const char32_t c = std::get<char32_t>(next);
    const auto byte = code_page_1252_byte(c);
    if (!byte) return refusal_at(lines, start, not_in_code_page(c, form.encoding));
    read.text.push_back(static_cast<char>(*byte));
    read.columns.add(c, static_cast<std::uint8_t>(at - start));
    lines.pass(c, at);
  }
  read.converted = read.text != saved;
  return read;
}

}  // namespace scenario::author
