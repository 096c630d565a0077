#include "compile_command.h"

#include <system_error>
#include <variant>

#include "app/memorizza_percorso.h"
#include "file_moves.h"
#include "model/file_names.h"
#include "payload/text_writers.h"
#include "quiet_platform.h"
#include "working_folder.h"

namespace scenario::tool {

namespace {

CompileResult file_fault(const FileFault& fault) {
  CompileResult result;
  result.status = kToolFileFault;
  result.fault = fault.describe();
  return result;
}

// Places the author's file in the working folder as the pack would write it. A missing file is
// simply not placed: the run then meets it missing, as the pack would.
std::optional<FileFault> place_text(const std::filesystem::path& author_file,
                                    const std::filesystem::path& placed) {
  std::error_code error;
  if (!std::filesystem::exists(author_file, error) && !error) return std::nullopt;
  auto bytes = read_whole_file(author_file);
  if (auto* fault = std::get_if<FileFault>(&bytes)) return *fault;
  return replace_file(placed, text_file_bytes(std::get<std::string>(bytes)));
}

std::vector<std::string> produced_names(const ScenarioState& state, bool build_profile) {
  std::vector<std::string> names;
  if (build_profile) names.push_back(profile_file_name(state));
  names.push_back(table_file_name(state));
  names.push_back(cells_file_name(state));
  return names;
}

// The reader's message names the copy it was reading; the author knows the file by their name.
void replace_all(std::string& text, const std::string& from, const std::string& to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

void keep_diagnostics(const ScenarioState& state, const CompileRequest& request,
                      const std::filesystem::path& working, CompileResult& result) {
  result.error_code = state.error_code;
  result.error_position = state.error_position;
  result.error_source = state.error_source;
  result.error_line = state.error_line;
  result.error_detail = state.error_detail;
  replace_all(result.error_detail, path_in(working, route_text_name(state)).string(),
              request.route.string());
  replace_all(result.error_detail, path_in(working, train_text_name(state)).string(),
              request.train.string());
}

// Moves what the run wrote into the output folder; stops at the first file that cannot go.
std::optional<FileFault> deliver(const std::filesystem::path& working, const ScenarioState& state,
                                 const CompileRequest& request, CompileResult& result) {
  for (const std::string& name : produced_names(state, request.build_profile)) {
    const std::filesystem::path produced = path_in(working, name);
    std::error_code error;
    if (!std::filesystem::exists(produced, error)) continue;
    if (auto fault = move_file(produced, path_in(request.out, name))) return fault;
    result.outputs.push_back(name);
  }
  return std::nullopt;
}

}  // namespace

CompileResult compile_scenario(const CompileRequest& request) {
  ScenarioState state;
  return compile_scenario(request, state);
}

CompileResult compile_scenario(const CompileRequest& request, ScenarioState& state) {
  if (request.deliver) {
    std::error_code error;
    std::filesystem::create_directories(request.out, error);
    if (error || !std::filesystem::is_directory(request.out, error)) {
      return file_fault({request.out, error ? error.message() : "is not a folder"});
    }
  }

  std::optional<FileFault> fault;
  auto working = WorkingFolder::create(fault);
  if (!working) return file_fault(*fault);

  state.line_name = request.line_name;
  state.train_number = request.train_number;
  if (auto placed = place_text(request.route, path_in(working->path(), route_text_name(state)))) {
    return file_fault(*placed);
  }
  if (auto placed = place_text(request.train, path_in(working->path(), train_text_name(state)))) {
    return file_fault(*placed);
  }

  QuietPlatform platform(working->path());
  const RunOutcome outcome =
      memorizza_percorso(state, request.build_profile ? 1 : 0, platform, request.observer);

  CompileResult result;
  keep_diagnostics(state, request, working->path(), result);
  switch (outcome.kind) {
    case RunOutcome::Kind::stopped_by_error_box:
      result.fatal = outcome.fatal_error;
      result.status = kToolErrorBox;
      return result;
    case RunOutcome::Kind::nothing_compiled:
      result.nothing_compiled = true;
      result.status = kToolRecordedFailure;
      return result;
    case RunOutcome::Kind::file_fault:
      result.fault = outcome.fault->describe();
      result.status = kToolFileFault;
      return result;
    case RunOutcome::Kind::files_written:
      break;
  }
  if (!request.deliver) {
    result.status = state.error_code == 0 ? kToolSuccess : kToolRecordedFailure;
    return result;
  }
  if (auto moved = deliver(working->path(), state, request, result)) {
    result.fault = moved->describe();
    result.status = kToolFileFault;
    return result;
  }
  result.status = state.error_code == 0 ? kToolSuccess : kToolRecordedFailure;
  return result;
}

}  // namespace scenario::tool
