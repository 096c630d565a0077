#pragma once

#include <ostream>

namespace scenario::tool {

// The `scenario` command: parses the command line, runs the subcommand, writes its report to
// `out` (JSON) or `err` (diagnostics) and returns the exit status (compile_command.h).
int run_tool(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace scenario::tool
