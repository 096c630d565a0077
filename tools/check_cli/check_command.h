#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "check/diagnostic.h"
#include "check/failure_report.h"
#include "check_cli/source_text.h"
#include "compile_command.h"

namespace scenario::tool {

enum class CheckFormat { human, gcc, json };
enum class ColorChoice { automatic, always, never };

// What `scenario check` is asked for. The identity only changes the names of the files the
// compile works on and the integrity codes, so a placeholder does when none is given.
struct CheckRequest {
  std::filesystem::path route;
  std::filesystem::path train;
  std::string line_name = "scenario";
  std::string train_number = "0";
  bool identity_given = false;  // false: the placeholder above stands in
  CheckFormat format = CheckFormat::human;
  ColorChoice color = ColorChoice::automatic;
  bool werror = false;
  std::vector<std::string> exclude;  // finding codes not to report, as "W06"
  author::EncodingChoice encoding = author::EncodingChoice::automatic;
};

// What the check found: the compile's outcome and every diagnostic, in file order (route,
// train, then those of no file), the excluded codes left out. A source named as the pack names
// its own copy is noted (W20): by that name when the identity was given, by its shape if not.
struct CheckOutcome {
  int status = 0;                    // the exit status, see run_check
  std::optional<std::string> fault;  // a file that could not be read, or no working folder
  check::CompileFacts facts;
  std::vector<check::Diagnostic> diagnostics;
  std::optional<SourceText> route_text;
  std::optional<SourceText> train_text;
};

// Runs the pack's own compile on the author's files in a private working folder, with the
// checker watching the reading layer, and keeps no binary file. The status is 0 when the pack
// would record no failure (warnings or not), 1 when it would record one, stop at 1250 or 1251,
// or compile nothing, or a file cannot be converted to code page 1252 (an error W19), also 1
// for a warning with `werror`, and 74 when a file cannot be read. A file that was converted
// gets a note W19.
// A file that does not exist is met missing, as the pack would meet it.
CheckOutcome check_scenario(const CheckRequest& request);

// check_scenario, then the report: human or gcc text on `err`, colour as asked (automatic:
// only when `err` is a terminal and NO_COLOR is unset or empty), or one JSON object on `out`:
//   {"outcome": {"code": 16, "position": 11950, "fatal": null},
//    "diagnostics": [{"file": ..., "line": 19, "column": 12, "endLine": 19, "endColumn": 17,
//                     "level": "error", "code": "16", "message": ..., "notes": [...]}]}
// where a missing place is null and endColumn is the column just past the field. Columns are
// bytes of the file as the author saved it. Returns the status.
int run_check(const CheckRequest& request, std::ostream& out, std::ostream& err);

// The identity and paths of a check as the compile takes them; no binary file is kept.
CompileRequest compile_request_of(const CheckRequest& request);

}  // namespace scenario::tool
