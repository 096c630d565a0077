#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace scenario::testing {

// The code page 1252 bytes of a UTF-8 text, as the compiled files hold names: Latin-1 from A0
// up, the typographic characters of 80 to 9F where the code page has them, and the control
// characters U+0081, U+008D, U+008F, U+0090 and U+009D for the five bytes it leaves undefined.
// Nothing when the text is not well-formed UTF-8 or holds a character no byte stands for.
std::optional<std::string> code_page_1252_bytes(std::string_view utf8);

}  // namespace scenario::testing
