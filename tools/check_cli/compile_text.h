#pragma once

#include <string>

#include "check/text_checker.h"
#include "compile_command.h"
#include "model/scenario_state.h"

namespace scenario::tool {

// What `scenario compile` writes on standard error: its failure shown as the check shows it
// (location with the column, the source line, a caret, then notes), the error box, a compile
// that left nothing, a file fault; empty when there is nothing to say. `checker` watched the
// compile on `state`.
std::string compile_text(const CompileRequest& request, const CompileResult& result,
                         const check::TextChecker& checker, const ScenarioState& state, bool color);

}  // namespace scenario::tool
