#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace scenario::inspect {

// Names in the files are single-byte characters of code page 1252; a report shows them as
// UTF-8. The five bytes the code page leaves undefined (81, 8D, 8F, 90, 9D) become the control
// characters of the same number, so every byte has its own character and the conversion can be
// undone exactly.
std::string utf8_from_single_byte(std::string_view bytes);

// The bytes a UTF-8 text stands for under the mapping above; nothing when the text is not valid
// UTF-8 or holds a character that has no byte.
std::optional<std::string> single_byte_from_utf8(std::string_view text);

// `text` with every byte that is not part of a valid UTF-8 character replaced by U+FFFD, for
// reports that must be valid UTF-8 whatever a file name holds.
std::string valid_utf8(std::string_view text);

}  // namespace scenario::inspect
