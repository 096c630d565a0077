#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace scenario {

// The scenario's names are held as single-byte text of the Western European code page 1252,
// whatever the machine: the binary files and the integrity codes are made of those bytes. These
// convert between it and the Unicode the systems use for file names and command lines. The five
// bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control
// characters of the same number, as Windows converts them.

// The Unicode character of one code-page byte.
char32_t code_page_1252_character(unsigned char byte);

// The code-page byte of Unicode character `c`; nothing when the code page has none.
std::optional<unsigned char> code_page_1252_byte(char32_t c);

// Single-byte text as UTF-8 and as UTF-16 (one unit per byte: every character is in the BMP).
std::string code_page_1252_to_utf8(std::string_view text);
std::u16string code_page_1252_to_utf16(std::string_view text);

// UTF-8 text as single-byte text; nothing when it is not well-formed UTF-8 or holds a
// character that code page 1252 has no byte for.
std::optional<std::string> utf8_to_code_page_1252(std::string_view text);

}  // namespace scenario
