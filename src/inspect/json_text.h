#pragma once

#include <string_view>

#include "inspect/text_out.h"

namespace scenario::inspect {

// Pieces of JSON written straight to a stream, so that a dump of two million profile elements
// never becomes a document in memory.

// `text` (UTF-8) as a JSON string, quotes included; control characters, quotes and backslashes
// escaped, and bytes that are not UTF-8 (a file name may hold any) replaced by U+FFFD.
void json_string(TextOut& out, std::string_view text);

// A single-byte name from a file (code page 1252) as a JSON string, converted to UTF-8.
void json_name(TextOut& out, std::string_view single_byte_name);

// A real as a JSON number that every reader takes as a real, not an integer ("2.0", "-0.0",
// "1e+20"). Callers give finite values only; JSON has no number for the others.
void json_real(TextOut& out, double v);

}  // namespace scenario::inspect
