#pragma once

#include <vector>

#include "check/diagnostic.h"
#include "check/failure_report.h"
#include "check/text_checker.h"
#include "compile_command.h"
#include "model/scenario_state.h"

namespace scenario::tool {

// The compile's outcome as the check reports it, the reader's detail naming the author's file.
check::CompileFacts facts_of(const CompileRequest& request, const CompileResult& result);

// The errors of a compile that ran with `checker` watching it on `state`: the recorded failure
// at its field and the error box, with notes. When the failure concerns cells (a taken cell, a
// full window, cell 1), the same files are compiled once more in a private working folder with
// a tracer of those cells, to name the record that took each: the outcome is the same run
// after run, so the first compile is not slowed for the others.
std::vector<check::Diagnostic> located_failure(const CompileRequest& request,
                                               const CompileResult& result,
                                               const check::TextChecker& checker,
                                               const ScenarioState& state);

}  // namespace scenario::tool
