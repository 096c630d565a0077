#include "report_command.h"

#include <optional>
#include <system_error>
#include <variant>

#include "app/memorizza_dati.h"
#include "app/memorizza_percorso.h"
#include "compile_command.h"
#include "compile_report.h"
#include "file_moves.h"
#include "model/error_meanings.h"
#include "model/file_names.h"
#include "payload/text_writers.h"
#include "platform/file_system.h"
#include "quiet_platform.h"
#include "report/report_page.h"
#include "working_folder.h"

namespace scenario::tool {

namespace {

// Places the author's file in the working folder as the pack would write it; a missing file is
// not placed, so the run meets it missing, as the pack would.
std::optional<FileFault> place_text(const std::filesystem::path& author_file,
                                    const std::filesystem::path& placed) {
  std::error_code error;
  if (!std::filesystem::exists(author_file, error) && !error) return std::nullopt;
  auto bytes = read_scenario_text(author_file);
  if (auto* fault = std::get_if<FileFault>(&bytes)) return *fault;
  return replace_file(placed, text_file_bytes(std::get<std::string>(bytes)));
}

std::optional<FileFault> place_texts(const ReportRequest& request, const ScenarioState& state,
                                     const std::filesystem::path& folder) {
  if (auto fault = place_text(request.route, path_in(folder, route_text_name(state)))) {
    return fault;
  }
  return place_text(request.train, path_in(folder, train_text_name(state)));
}

// The reader's message names the copy it was reading; the author knows the file by their name.
void replace_all(std::string& text, const std::string& from, const std::string& to) {
  if (from.empty()) return;
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

struct Compiled {
  ScenarioState state;
  std::optional<CellArray> cells_before_placement;
  CompileResult result;  // the outcome, as `scenario compile` would report it
};

std::variant<Compiled, FileFault> compile(const ReportRequest& request) {
  std::optional<FileFault> fault;
  auto working = WorkingFolder::create(fault);
  if (!working) return *fault;
  const std::int32_t j = request.build_profile ? 1 : 0;

  Compiled compiled;
  ScenarioState& state = compiled.state;
  state.line_name = request.line_name;
  state.train_number = request.train_number;

  // The parse alone, started as the run starts it, leaves the cells before the placement.
  ScenarioState parsed;
  parsed.line_name = request.line_name;
  parsed.train_number = request.train_number;
  parsed.profile_flag = j;
  if (auto placed = place_texts(request, parsed, working->path())) return *placed;
  memorizza_dati(parsed, working->path());
  compiled.cells_before_placement = std::move(parsed.cells);
  parsed.line_profile.reset();  // only its cells are wanted; a long line's plan is large

  // The parse deleted the text files it read: place them afresh for the whole run.
  if (auto placed = place_texts(request, state, working->path())) return *placed;
  QuietPlatform platform(working->path());
  const RunOutcome outcome = memorizza_percorso(state, j, platform);
  if (outcome.kind == RunOutcome::Kind::file_fault) return *outcome.fault;

  CompileResult& result = compiled.result;
  result.error_code = state.error_code;
  result.error_position = state.error_position;
  result.error_source = state.error_source;
  result.error_line = state.error_line;
  result.error_detail = state.error_detail;
  replace_all(result.error_detail, path_in(working->path(), route_text_name(state)).string(),
              request.route.string());
  replace_all(result.error_detail, path_in(working->path(), train_text_name(state)).string(),
              request.train.string());
  if (outcome.kind == RunOutcome::Kind::stopped_by_error_box) result.fatal = outcome.fatal_error;
  result.nothing_compiled = outcome.kind == RunOutcome::Kind::nothing_compiled;
  result.status = result.fatal                                        ? kToolErrorBox
                  : result.nothing_compiled || result.error_code != 0 ? kToolRecordedFailure
                                                                      : kToolSuccess;
  return compiled;
}

report::ReportOutcome outcome_of(const ReportRequest& request, const CompileResult& result) {
  report::ReportOutcome o;
  o.code = result.error_code;
  if (error_has_position(result.error_code)) o.position = result.error_position;
  const std::filesystem::path* file =
      result.error_source == ErrorSource::route_file   ? &request.route
      : result.error_source == ErrorSource::train_file ? &request.train
                                                       : nullptr;
  if (result.error_code != 0 && file) {
    o.where = path_text(*file);
    if (result.error_line > 0) o.where.append(":").append(std::to_string(result.error_line));
  }
  o.detail = result.error_detail;
  o.fatal = result.fatal;
  o.nothing_compiled = result.nothing_compiled;
  return o;
}

std::optional<FileFault> write_picture(const std::filesystem::path& path, const std::string& svg) {
  if (path.empty()) return std::nullopt;
  return replace_file(path, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + svg + "\n");
}

// The output that would overwrite one of the author's files, if any.
const std::filesystem::path* overwritten_input(const ReportRequest& request) {
  for (const std::filesystem::path* output :
       {&request.html, &request.map_svg, &request.profile_svg}) {
    for (const std::filesystem::path* input : {&request.route, &request.train}) {
      std::error_code error;
      if (!output->empty() && std::filesystem::equivalent(*output, *input, error)) return output;
    }
  }
  return nullptr;
}

int file_fault(const FileFault& fault, std::ostream& err) {
  err << "scenario: cannot go on: " << fault.describe() << "\n";
  return kToolFileFault;
}

}  // namespace

int write_report(const ReportRequest& request, std::ostream& err) {
  if (const std::filesystem::path* output = overwritten_input(request)) {
    err << "scenario: " << path_text(*output)
        << " is the route or train file; the report never writes over the author's files\n";
    return kToolUsage;
  }
  auto compiled = compile(request);
  if (auto* fault = std::get_if<FileFault>(&compiled)) return file_fault(*fault, err);
  const Compiled& done = std::get<Compiled>(compiled);

  report::ReportInput input;
  input.state = &done.state;
  input.cells_before_placement =
      done.cells_before_placement ? &*done.cells_before_placement : nullptr;
  input.outcome = outcome_of(request, done.result);
  if (!request.build_profile) {
    input.no_plan_reason = "compiled without the line profile (--no-profile), so there is no plan";
  }
  const report::Report page = report::render_report(input);

  if (auto fault = replace_file(request.html, page.html)) return file_fault(*fault, err);
  if (auto fault = write_picture(request.map_svg, page.map_svg)) return file_fault(*fault, err);
  if (auto fault = write_picture(request.profile_svg, page.profile_svg)) {
    return file_fault(*fault, err);
  }
  CompileRequest as_compiled{
      request.route,        request.train, request.line_name, request.train_number, {},
      request.build_profile};
  err << diagnostics(as_compiled, done.result);
  return done.result.status;
}

}  // namespace scenario::tool
