#include "check_cli/compile_text.h"

#include "check/text_checker.h"

#include "check_cli/diagnostic_text.h"
#include "check_cli/encoding_diagnostics.h"
#include "check_cli/located_failure.h"
#include "check_cli/source_text.h"
#include "model/file_fault.h"

namespace scenario::tool {

std::string compile_text(const CompileRequest& request, const CompileResult& result, bool color) {
  std::vector<check::Diagnostic> shown = encoding_diagnostics(result);
  if (result.failure.recorded() || result.fatal) {
    CompileRequest watched = request;
    watched.deliver = false;
    ScenarioState state;
    check::TextChecker checker(state);
    watched.observer = &checker;
    // The same files give the same outcome; the first run's is the one reported, placed by
    // what the watched run saw.
    compile_scenario(watched, state);
    for (check::Diagnostic& error : located_failure(watched, result, checker, state)) {
      shown.push_back(std::move(error));
    }
  }
  std::string text;
  if (!shown.empty()) {
    const std::optional<SourceText> route = SourceText::read(request.route, request.encoding);
    const std::optional<SourceText> train = SourceText::read(request.train, request.encoding);
    const ShownFiles files{path_text(request.route), path_text(request.train),
                           route ? &*route : nullptr, train ? &*train : nullptr};
    text += human_text(shown, files, color);
  }
  if (result.nothing_compiled || result.refused) {
    text += "scenario: nothing was compiled; no binary file was written\n";
  }
  if (!result.files) text += "scenario: cannot go on: " + result.files.fault().describe() + "\n";
  if (result.text_file_left) text += "scenario: cannot delete " + *result.text_file_left + "\n";
  return text;
}

}  // namespace scenario::tool
