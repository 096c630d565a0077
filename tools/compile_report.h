#pragma once

#include <string>

#include "compile_command.h"

namespace scenario::tool {

// The compile's outcome as a compiler reports it, one line per finding, each ending with a line
// feed: "FILE:LINE: error N: meaning (at P m)", FILE being the author's file the failing record
// came from. FILE and LINE are left out when the failure has none, and the position when the
// code records none. Empty when there is nothing to say.
std::string diagnostics(const CompileRequest& request, const CompileResult& result);

// The same outcome as one JSON object on one line: error_code, error_position, fatal, file, line,
// message and outputs.
std::string json_report(const CompileRequest& request, const CompileResult& result);

}  // namespace scenario::tool
