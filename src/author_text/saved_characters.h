#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace scenario::author {

// How the author asks for a file to be read: found from its bytes, or decided.
enum class EncodingChoice : std::uint8_t { automatic, cp1252, utf8, utf16 };

// How a file was read.
enum class SavedEncoding : std::uint8_t { cp1252, utf8, utf16le, utf16be };

// "code page 1252", "UTF-8", "UTF-16 LE", "UTF-16 BE".
std::string_view encoding_name(SavedEncoding encoding);

// The encoding a file is read in and the size of its byte order mark (0 when it has none).
struct SavedForm {
  SavedEncoding encoding = SavedEncoding::cp1252;
  std::size_t mark_size = 0;
};

// The form of the bytes `saved` for `choice`. Found (`automatic`): UTF-16 LE or BE by their
// byte order mark; UTF-8 by its mark, or without one when the bytes are well-formed UTF-8 and
// hold at least one byte above 0x7F; otherwise code page 1252. Decided: `utf8` and `utf16`
// take a mark of their own kind when there is one (UTF-16 without a mark is read little-endian,
// as Windows saves it); `cp1252` takes the bytes as they are.
SavedForm saved_form(std::string_view saved, EncodingChoice choice);

// The next character of `saved`, read in `encoding`, from `at` (before its end), with `at` moved
// past it; or, with `at` unmoved, a message saying what the bytes there are instead: not UTF-8,
// half a UTF-16 unit at the end, or half a UTF-16 surrogate pair.
std::variant<char32_t, std::string> next_saved_character(std::string_view saved,
                                                         SavedEncoding encoding, std::size_t& at);

}  // namespace scenario::author
