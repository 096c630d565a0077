#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "check/cell_owners.h"
#include "check/diagnostic.h"
#include "check/reading_trace.h"
#include "model/failure_code.h"
#include "model/scenario_state.h"

namespace scenario::check {

// How the pack's compile ended, as the compile reports it.
struct CompileFacts {
  FailureCode error_code = FailureCode::none;  // the failure recorded last
  std::int32_t error_position = 0;
  TextFile source = TextFile::none;  // the file of the failing record, if any
  std::int32_t line = 0;             // its line; 0 when the failure has none
  std::string detail;                // what the reader objected to, for a read fault
  std::optional<FailureCode> fatal;  // 1250 or 1251 when the error box stopped the run
  bool nothing_compiled = false;     // the parse left no cells: no binary file written
};

// The recorded failure's message as the compile reports it: its meaning, the reader's detail
// and, for the codes that record one, "(at P m)".
std::string recorded_failure_message(const CompileFacts& facts);

// The cells whose last writer the report of this failure names (the taken cell, the cells
// before a signal, a full window, cell 1); empty when the failure concerns no cell.
std::vector<std::int64_t> cells_to_watch(const CompileFacts& facts, const ReadingTrace& trace);

// The errors of the compile's outcome: the recorded failure at the field it concerns (the
// file and line are the compile's own), then the error box. Notes point at the other places
// involved: the record that took a cell (from `cells`, as a tracer watched them), the previous
// station, the route's length, the records of a bad progressive, the line a short record read
// on into. Reads the state as the run left it.
std::vector<Diagnostic> failure_diagnostics(const CompileFacts& facts, const ReadingTrace& trace,
                                            const ScenarioState& state,
                                            std::span<const WatchedCell> cells);

}  // namespace scenario::check
