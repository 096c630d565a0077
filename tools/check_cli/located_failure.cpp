#include "check_cli/located_failure.h"

#include "check/cell_owners.h"

namespace scenario::tool {

check::CompileFacts facts_of(const CompileRequest& request, const CompileResult& result) {
  const RecordedFailure& failure = result.failure;
  check::CompileFacts facts;
  facts.error_code = failure.error_code;
  facts.error_position = failure.error_position;
  facts.source = failure.source;
  facts.line = failure.line;
  facts.detail =
      detail_text(failure.detail, failure.source == TextFile::train   ? request.train
                                  : failure.source == TextFile::route ? request.route
                                                                      : std::filesystem::path());
  facts.fatal = result.fatal;
  facts.nothing_compiled = result.nothing_compiled;
  return facts;
}

std::vector<check::Diagnostic> located_failure(const CompileRequest& request,
                                               const CompileResult& result,
                                               const check::TextChecker& checker,
                                               const ScenarioState& state) {
  const check::CompileFacts facts = facts_of(request, result);
  std::vector<check::WatchedCell> cells;
  if (std::vector<std::int64_t> watch = check::cells_to_watch(facts, checker.trace());
      !watch.empty()) {
    ScenarioState traced;
    check::CellOwnerTracer tracer(traced, std::move(watch));
    CompileRequest again = request;
    again.deliver = false;
    again.observer = &tracer;
    const CompileResult repeated = compile_scenario(again, traced);
    // The same files give the same outcome; should they not (a file changed meanwhile), the
    // cells of the other run would mislead.
    if (repeated.failure.error_code == result.failure.error_code &&
        repeated.fatal == result.fatal) {
      cells = tracer.cells();
    }
  }
  return check::failure_diagnostics(facts, checker.trace(), state, cells);
}

}  // namespace scenario::tool
