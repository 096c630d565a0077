#pragma once

#include <string>

#include "compile_command.h"

namespace scenario::tool {

// What `scenario compile` writes on standard error: a note W19 for each file converted to code
// page 1252 and the error of one that could not be, its failure shown as the check shows it
// (location with the column, the source line, a caret, then notes), the error box, a compile
// that left nothing, a file fault; empty when there is nothing to say. A compile that recorded
// a failure is run once more in a private folder, watched, to find the fields and records
// involved: a compile that succeeds pays nothing for it.
std::string compile_text(const CompileRequest& request, const CompileResult& result, bool color);

}  // namespace scenario::tool
