#include "check_cli/check_command.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <utility>

#include "check/source_names.h"
#include "check/text_checker.h"
#include "check_cli/diagnostic_text.h"
#include "check_cli/encoding_diagnostics.h"
#include "check_cli/located_failure.h"
#include "check_cli/terminal.h"
#include "model/error_meanings.h"
#include "model/file_fault.h"

namespace scenario::tool {

namespace {

using check::Diagnostic;
using check::Level;

bool excluded(const Diagnostic& d, const std::vector<std::string>& exclude) {
  return d.level != Level::error &&
         std::find(exclude.begin(), exclude.end(), d.code) != exclude.end();
}

bool use_color(ColorChoice choice, const std::ostream& err) {
  if (choice != ColorChoice::automatic) return choice == ColorChoice::always;
  return colour_by_default(err);
}

nlohmann::ordered_json number_or_null(std::int32_t n) {
  return n > 0 ? nlohmann::ordered_json(n) : nlohmann::ordered_json(nullptr);
}

nlohmann::ordered_json place(const check::SourceSpan& shown, const ShownFiles& files) {
  const check::SourceSpan where = saved_span(shown, files);
  nlohmann::ordered_json j;
  const std::string file = shown_name(where.file, files);
  j["file"] = file.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(file);
  j["line"] = number_or_null(where.line);
  j["column"] = number_or_null(where.column);
  j["endLine"] = number_or_null(where.end_line);
  j["endColumn"] = number_or_null(where.end_column);
  return j;
}

std::string_view level_name(Level level) {
  return level == Level::error ? "error" : level == Level::warning ? "warning" : "note";
}

std::string json_text(const CheckOutcome& outcome, const ShownFiles& files) {
  nlohmann::ordered_json report;
  const check::CompileFacts& facts = outcome.facts;
  nlohmann::ordered_json result;
  result["code"] = code_number(facts.error_code);
  result["position"] = error_has_position(facts.error_code)
                           ? nlohmann::ordered_json(facts.error_position)
                           : nlohmann::ordered_json(nullptr);
  result["fatal"] = facts.fatal ? nlohmann::ordered_json(code_number(*facts.fatal))
                                : nlohmann::ordered_json(nullptr);
  report["outcome"] = result;
  report["diagnostics"] = nlohmann::ordered_json::array();
  for (const Diagnostic& d : outcome.diagnostics) {
    nlohmann::ordered_json item = place(d.where, files);
    item["level"] = level_name(d.level);
    item["code"] = d.code;
    item["message"] = d.message;
    item["notes"] = nlohmann::ordered_json::array();
    for (const check::DiagnosticNote& note : d.notes) {
      nlohmann::ordered_json n = place(note.where, files);
      n["message"] = note.message;
      item["notes"].push_back(n);
    }
    report["diagnostics"].push_back(item);
  }
  // Paths and quoted text may hold bytes that are not UTF-8; the report must still print.
  return report.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

}  // namespace

CompileRequest compile_request_of(const CheckRequest& request) {
  CompileRequest compile;
  compile.route = request.route;
  compile.train = request.train;
  compile.line_name = request.line_name;
  compile.train_number = request.train_number;
  compile.deliver = false;
  compile.encoding = request.encoding;
  return compile;
}

CheckOutcome check_scenario(const CheckRequest& request) {
  CheckOutcome outcome;
  CompileRequest compile = compile_request_of(request);
  ScenarioState state;
  check::TextChecker checker(state);
  compile.observer = &checker;
  const CompileResult result = compile_scenario(compile, state);
  if (!result.files) {
    outcome.fault = result.files.fault().describe();
    outcome.status = kToolFileFault;
    return outcome;
  }

  outcome.facts = facts_of(compile, result);
  outcome.diagnostics = checker.findings();
  for (Diagnostic& note : check::sources_named_as_pack_texts(
           {path_text(request.route.filename()), path_text(request.train.filename())},
           request.identity_given ? &state : nullptr)) {
    outcome.diagnostics.push_back(std::move(note));
  }
  for (Diagnostic& said : encoding_diagnostics(result)) {
    outcome.diagnostics.push_back(std::move(said));
  }
  for (Diagnostic& error : located_failure(compile, result, checker, state)) {
    outcome.diagnostics.push_back(std::move(error));
  }
  std::erase_if(outcome.diagnostics,
                [&](const Diagnostic& d) { return excluded(d, request.exclude); });
  sort_by_place(outcome.diagnostics);
  outcome.route_text = SourceText::read(request.route, request.encoding);
  outcome.train_text = SourceText::read(request.train, request.encoding);

  const bool failed =
      result.failure.recorded() || result.fatal || result.nothing_compiled || result.refused;
  const bool warned = std::any_of(outcome.diagnostics.begin(), outcome.diagnostics.end(),
                                  [](const Diagnostic& d) { return d.level == Level::warning; });
  outcome.status = failed || (request.werror && warned) ? kToolRecordedFailure : kToolSuccess;
  return outcome;
}

int run_check(const CheckRequest& request, std::ostream& out, std::ostream& err) {
  const CheckOutcome outcome = check_scenario(request);
  if (outcome.fault) {
    err << "scenario: cannot go on: " << *outcome.fault << "\n";
    return outcome.status;
  }
  ShownFiles files{path_text(request.route), path_text(request.train),
                   outcome.route_text ? &*outcome.route_text : nullptr,
                   outcome.train_text ? &*outcome.train_text : nullptr};
  switch (request.format) {
    case CheckFormat::json:
      out << json_text(outcome, files);
      break;
    case CheckFormat::gcc:
      err << gcc_text(outcome.diagnostics, files);
      break;
    case CheckFormat::human:
      err << human_text(outcome.diagnostics, files, use_color(request.color, err));
      err << summary_line(outcome.diagnostics) << "\n";
      break;
  }
  return outcome.status;
}

}  // namespace scenario::tool
