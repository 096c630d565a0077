#pragma once

#include <vector>

#include "check/diagnostic.h"
#include "check_cli/diagnostic_text.h"
#include "report/report_page.h"

namespace scenario::tool {

// The check's findings as the report's page lists them, in file order: the place as
// "FILE:LINE:COLUMN" (the column of the file as saved), "warning" or "note", the code, the
// message and the source line, as UTF-8.
std::vector<report::ReportDiagnostic> report_diagnostics(std::vector<check::Diagnostic> findings,
                                                         const ShownFiles& files);

}  // namespace scenario::tool
