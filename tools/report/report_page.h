#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "line_survey.h"
#include "model/cell_array.h"
#include "model/failure_code.h"
#include "model/scenario_state.h"

namespace scenario::report {

// How the compile ended, as the page's header tells it.
struct ReportOutcome {
  FailureCode code = FailureCode::none;  // the recorded failure, if any
  std::optional<std::int32_t> position;  // for the codes that record one
  std::string where;                     // "FILE:LINE" of the failing record, or empty
  std::string detail;                    // what the reader objected to, or empty
  std::optional<FailureCode> fatal;      // 1250 or 1251 when the error box stopped the run
  bool nothing_compiled = false;         // the parse left no cells: no binary file written
};

// A finding of a checker, shown in a list under the header: where it is, how grave, its code,
// what it says and the source line it is about. The compile itself reports through the outcome.
struct ReportDiagnostic {
  std::string where;
  std::string severity;
  std::string code;
  std::string message;
  std::string source_line;
};

// What a report is drawn from: the state after the compile, the cells as the parse left them
// before the placement of the code changes (to tell who placed which code change; may be null),
// and the records that put the cells' objects there (the tables and titles give a feature by
// its record's metres when it has one, by its cell otherwise). Text in the state is
// single-byte; text in the outcome, the diagnostics and the places' sources is UTF-8 or plain
// ASCII and is escaped as well.
struct ReportInput {
  const ScenarioState* state = nullptr;
  const CellArray* cells_before_placement = nullptr;
  AuthorPlaces author_places;
  ReportOutcome outcome;
  std::vector<ReportDiagnostic> diagnostics;
  // Why the line has no plan when the compile built none on purpose; empty otherwise.
  std::string no_plan_reason;
};

// The page and its two pictures.
struct Report {
  std::string html;         // one self-contained page: inline CSS and SVG, no script
  std::string map_svg;      // the map, the same as on the page, as a standalone SVG file
  std::string profile_svg;  // the profile, likewise (saying why it is missing without cells)
};

// Draws the report: a header with the line, the train, the route length and the outcome (the
// recorded failure with its meaning, at the top); the diagnostics when there are any; the map,
// or why there is none; the profile; the tables. Reads the state's identity, scenario table,
// cells and line profile; writes nothing.
Report render_report(const ReportInput& input);

}  // namespace scenario::report
