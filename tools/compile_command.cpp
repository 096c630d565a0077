#include "compile_command.h"

#include <system_error>
#include <utility>
#include <variant>

#include "app/memorizza_percorso.h"
#include "file_moves.h"
#include "model/code_page_1252.h"
#include "model/file_names.h"
#include "payload/text_writers.h"
#include "platform/disk_folder.h"
#include "platform/file_system.h"
#include "quiet_platform.h"
#include "working_folder.h"

namespace scenario::tool {

namespace {

CompileResult file_fault(const FileFault& fault) {
  CompileResult result;
  result.status = kToolFileFault;
  result.files = fault;
  return result;
}

// Places the author's file in the working folder as the pack would write it, in code page 1252,
// and adds to `placed` how it was read. A missing file is simply not placed: the run then meets
// it missing, as the pack would.
FileResult<> place_text(const std::filesystem::path& author_file, TextFile file,
                        author::EncodingChoice encoding, FileSink& working, const std::string& name,
                        PlacedTexts& placed) {
  std::error_code error;
  if (!std::filesystem::exists(author_file, error) && !error) return {};
  const auto bytes = read_scenario_text(author_file);
  if (!bytes) return bytes.fault();
  const auto read = author::read_author_text(bytes.value(), encoding);
  if (const auto* refusal = std::get_if<author::TextRefusal>(&read)) {
    placed.refused = RefusedText{file, *refusal};
    return {};
  }
  const author::AuthorText& text = std::get<author::AuthorText>(read);
  if (text.converted) placed.converted.push_back({file, text.read_as, text.byte_order_mark});
  return working.replace(name, [&](ByteWriter& out) { write_text_file(out, text.text); });
}

std::vector<std::string> produced_names(const ScenarioState& state, bool build_profile) {
  std::vector<std::string> names;
  if (build_profile) names.push_back(profile_file_name(state));
  names.push_back(table_file_name(state));
  names.push_back(cells_file_name(state));
  return names;
}

}  // namespace

FileResult<PlacedTexts> place_scenario_texts(const CompileRequest& request,
                                             const ScenarioState& state, FileSink& working) {
  PlacedTexts placed;
  if (auto route = place_text(request.route, TextFile::route, request.encoding, working,
                              route_text_name(state), placed);
      !route) {
    return route.fault();
  }
  if (placed.refused) return placed;
  if (auto train = place_text(request.train, TextFile::train, request.encoding, working,
                              train_text_name(state), placed);
      !train) {
    return train.fault();
  }
  return placed;
}

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

  auto created = WorkingFolder::create();
  if (!created) return file_fault(created.fault());
  const WorkingFolder working = std::move(created).value();
  // The text files are scratch: the run reads and deletes them in this private folder, so they
  // need not reach the disk. What the run writes does, before it is moved to the author; when
  // it is not to be delivered it is scratch as well.
  DiskFolder texts(working.path(), Flush::not_needed);
  DiskFolder files(working.path(), request.deliver ? Flush::to_disk : Flush::not_needed);

  state.line_name = request.line_name;
  state.train_number = request.train_number;
  auto placed = place_scenario_texts(request, state, texts);
  if (!placed) return file_fault(placed.fault());
  CompileResult result;
  result.converted = placed.value().converted;
  if (placed.value().refused) {
    result.refused = placed.value().refused;
    result.status = kToolRecordedFailure;
    return result;
  }

  QuietPlatform platform(working.path());
  const auto run =
      memorizza_percorso(state, request.build_profile ? 1 : 0, platform, files, request.observer);

  result.failure = state.failure;
  if (!run) {
    result.files = run.fault();
    result.status = kToolFileFault;
    return result;
  }
  if (run.value().text_file_left) result.text_file_left = run.value().text_file_left->describe();
  switch (run.value().kind) {
    case RunOutcome::Kind::stopped_by_error_box:
      result.fatal = run.value().fatal_error;
      result.status = kToolErrorBox;
      return result;
    case RunOutcome::Kind::nothing_compiled:
      result.nothing_compiled = true;
      result.status = kToolRecordedFailure;
      return result;
    case RunOutcome::Kind::files_written:
      break;
  }
  if (!request.deliver) {
    result.status = state.failure.recorded() ? kToolRecordedFailure : kToolSuccess;
    return result;
  }
  // The run says it wrote its files: each is moved, by one rename when the working folder and
  // the output folder share a file system, and one that is missing is a fault, never a success.
  if (auto delivered = move_outputs(working.path(), produced_names(state, request.build_profile),
                                    request.out, result.outputs);
      !delivered) {
    result.files = delivered.fault();
    result.status = kToolFileFault;
    return result;
  }
  for (std::string& name : result.outputs) name = code_page_1252_to_utf8(name);
  result.status = state.failure.recorded() ? kToolRecordedFailure : kToolSuccess;
  return result;
}

}  // namespace scenario::tool
