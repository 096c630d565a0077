#pragma once

#include <string>

#include "compile_command.h"

namespace scenario::tool {

// The compile's outcome as one JSON object on one line: error_code, error_position, fatal, file
// (the author's file the failing record came from), line, message and outputs.
std::string json_report(const CompileRequest& request, const CompileResult& result);

// What the compile delivered, for its human report: "wrote L_linea.dat, L_T.sim, L_T.dat in
// DIR" and a line end; empty when it delivered no file.
std::string written_files(const CompileRequest& request, const CompileResult& result);

}  // namespace scenario::tool
