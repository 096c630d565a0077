#include "check_cli/compile_text.h"

#include "check/text_checker.h"

#include "check_cli/diagnostic_text.h"
#include "check_cli/located_failure.h"
#include "check_cli/source_text.h"
#include "model/file_fault.h"

namespace scenario::tool {

std::string compile_text(const CompileRequest& request, const CompileResult& result, bool color) {
  std::string text;
  if (result.failure.recorded() || result.fatal) {
    CompileRequest watched = request;
    watched.deliver = false;
    ScenarioState state;
    check::TextChecker checker(state);
    watched.observer = &checker;
    // The same files give the same outcome; the first run's is the one reported, placed by
    // what the watched run saw.
    compile_scenario(watched, state);
    const auto errors = located_failure(watched, result, checker, state);
    const std::optional<SourceText> route = SourceText::read(request.route);
    const std::optional<SourceText> train = SourceText::read(request.train);
    const ShownFiles files{path_text(request.route), path_text(request.train),
                           route ? &*route : nullptr, train ? &*train : nullptr};
    text += human_text(errors, files, color);
  }
  if (result.nothing_compiled) {
    text += "scenario: nothing was compiled; no binary file was written\n";
  }
  if (!result.files) text += "scenario: cannot go on: " + result.files.fault().describe() + "\n";
  if (result.text_file_left) text += "scenario: cannot delete " + *result.text_file_left + "\n";
  return text;
}

}  // namespace scenario::tool
