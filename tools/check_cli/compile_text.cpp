#include "check_cli/compile_text.h"

#include "check_cli/diagnostic_text.h"
#include "check_cli/located_failure.h"
#include "check_cli/source_text.h"
#include "model/file_fault.h"

namespace scenario::tool {

std::string compile_text(const CompileRequest& request, const CompileResult& result,
                         const check::TextChecker& checker, const ScenarioState& state,
                         bool color) {
  std::string text;
  {
    const auto errors = located_failure(request, result, checker, state);
    const std::optional<SourceText> route = SourceText::read(request.route);
    const std::optional<SourceText> train = SourceText::read(request.train);
    const ShownFiles files{path_text(request.route), path_text(request.train),
                           route ? &*route : nullptr, train ? &*train : nullptr};
    text += human_text(errors, files, color);
  }
  if (result.nothing_compiled) {
    text += "scenario: nothing was compiled; no binary file was written\n";
  }
  if (result.fault) text += "scenario: cannot go on: " + *result.fault + "\n";
  return text;
}

}  // namespace scenario::tool
