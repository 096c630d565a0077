#include "report_command.h"

#include <optional>
#include <utility>

#include "app/memorizza_dati.h"
#include "app/memorizza_percorso.h"
#include "check/cell_owners.h"
#include "check/text_checker.h"
#include "check_cli/compile_text.h"
#include "check_cli/encoding_diagnostics.h"
#include "check_cli/report_diagnostics.h"
#include "check_cli/source_text.h"
#include "check_cli/terminal.h"
#include "compile_command.h"
#include "file_moves.h"
#include "model/code_page_1252.h"
#include "model/error_meanings.h"
#include "output_path.h"
#include "parse/observer_pair.h"
#include "platform/disk_folder.h"
#include "platform/file_system.h"
#include "quiet_platform.h"
#include "report/report_page.h"
#include "working_folder.h"

namespace scenario::tool {

namespace {

struct Compiled {
  ScenarioState state;
  std::optional<CellArray> cells_before_placement;
  CompileResult result;                     // the outcome, as `scenario compile` would report it
  std::vector<check::Diagnostic> findings;  // what the check found in the text as it was read
  report::AuthorPlaces places;              // the records that put the cells' objects there
};

CompileRequest as_compile_request(const ReportRequest& request) {
  CompileRequest as_compiled;
  as_compiled.route = request.route;
  as_compiled.train = request.train;
  as_compiled.line_name = request.line_name;
  as_compiled.train_number = request.train_number;
  as_compiled.build_profile = request.build_profile;
  as_compiled.encoding = request.encoding;
  return as_compiled;
}

// The cells the parse put an object in. Mountain marks are left out: the placement may put a
// code change on one, and that code change is the compile's, not the mountain record's.
std::vector<std::int64_t> placed_cells(const std::optional<CellArray>& cells) {
  std::vector<std::int64_t> placed;
  if (!cells) return placed;
  for (std::int64_t i = 0; i <= cells->last_index(); ++i) {
    const CellKind kind = (*cells)[i].kind;
    if (kind != CellKind::empty && kind != CellKind::mountain_mark) placed.push_back(i);
  }
  return placed;
}

// Each watched cell's record, by the number fields it wrote and its file and line.
report::AuthorPlaces author_places(const ReportRequest& request,
                                   const std::vector<check::WatchedCell>& cells) {
  report::AuthorPlaces places;
  for (const check::WatchedCell& cell : cells) {
    if (!cell.owner || cell.owner->where.kind != FieldKind::number) continue;
    const check::FieldSpot& where = cell.owner->where;
    const std::filesystem::path& file =
        where.file == TextFile::route ? request.route : request.train;
    places[static_cast<std::int32_t>(cell.index)] = {
        where.number, cell.owner->numbers,
        path_text(file.filename()) + ":" + std::to_string(where.line)};
  }
  return places;
}

FileResult<Compiled> compile(const ReportRequest& request) {
  auto created = WorkingFolder::create();
  if (!created) return created.fault();
  const WorkingFolder working = std::move(created).value();
  DiskFolder texts(working.path(), Flush::not_needed);
  DiskFolder files(working.path());
  const CompileRequest as_compiled = as_compile_request(request);
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
  const auto placed = place_scenario_texts(as_compiled, parsed, texts);
  if (!placed) return placed.fault();
  compiled.result.converted = placed.value().converted;
  if (placed.value().refused) {
    compiled.result.refused = placed.value().refused;
    compiled.result.status = kToolRecordedFailure;
    return compiled;
  }
  // A text file this pass could not delete is replaced below anyway, and the real run that
  // follows reports it.
  static_cast<void>(memorizza_dati(parsed, texts));
  compiled.cells_before_placement = std::move(parsed.cells);

  // The parse deleted the text files it read: place them afresh for the whole run.
  if (auto again = place_scenario_texts(as_compiled, state, texts); !again) {
    return again.fault();
  }
  QuietPlatform platform(working.path());
  // The check watches the run, so that the page lists what the pack reads differently from how
  // it looks, and so does a tracer of the cells the parse filled, so that the page gives each
  // feature by the metres of its record; watching changes nothing that is compiled.
  check::TextChecker checker(state);
  check::CellOwnerTracer owners(state, placed_cells(compiled.cells_before_placement));
  ObserverPair both(checker, owners);
  const auto run = memorizza_percorso(state, j, platform, files, &both);
  if (!run) return run.fault();
  compiled.findings = checker.findings();
  compiled.places = author_places(request, owners.cells());
  const RunOutcome& outcome = run.value();

  CompileResult& result = compiled.result;
  result.failure = state.failure;
  if (outcome.kind == RunOutcome::Kind::stopped_by_error_box) result.fatal = outcome.fatal_error;
  result.nothing_compiled = outcome.kind == RunOutcome::Kind::nothing_compiled;
  result.status = result.fatal                                           ? kToolErrorBox
                  : result.nothing_compiled || result.failure.recorded() ? kToolRecordedFailure
                                                                         : kToolSuccess;
  return compiled;
}

report::ReportOutcome outcome_of(const ReportRequest& request, const CompileResult& result) {
  const RecordedFailure& failure = result.failure;
  report::ReportOutcome o;
  o.code = failure.error_code;
  if (error_has_position(failure.error_code)) o.position = failure.error_position;
  const std::filesystem::path* file = failure.source == TextFile::route   ? &request.route
                                      : failure.source == TextFile::train ? &request.train
                                                                          : nullptr;
  if (failure.recorded() && file) {
    o.where = path_text(*file);
    if (failure.line > 0) o.where.append(":").append(std::to_string(failure.line));
  }
  if (!failure.detail.empty()) o.detail = detail_text(failure.detail, file ? *file : "");
  o.fatal = result.fatal;
  o.nothing_compiled = result.nothing_compiled;
  return o;
}

FileResult<> write_text(const std::filesystem::path& path, const std::string& text) {
  if (auto placed = make_parent_folders(path); !placed) return placed;
  return replace_file(path, [&](ByteWriter& out) { out.text(text); });
}

// The outputs as files: a folder given for one takes the file named for the scenario in it.
ReportRequest with_output_files(const ReportRequest& request) {
  const std::string stem = code_page_1252_to_utf8(request.line_name + "_" + request.train_number);
  const auto own = [&stem](const char* ending) {
    const std::string name = stem + ending;
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
  };
  ReportRequest resolved = request;
  resolved.html = output_file(request.html, own(".html"));
  if (!request.map_svg.empty()) resolved.map_svg = output_file(request.map_svg, own("_map.svg"));
  if (!request.profile_svg.empty()) {
    resolved.profile_svg = output_file(request.profile_svg, own("_profile.svg"));
  }
  return resolved;
}

FileResult<> write_picture(const std::filesystem::path& path, const std::string& svg) {
  if (path.empty()) return {};
  return write_text(path, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + svg + "\n");
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

// The page and the pictures written, as given: "report.html, map.svg".
std::string written_pages(const ReportRequest& request) {
  std::string names = path_text(request.html);
  for (const std::filesystem::path* picture : {&request.map_svg, &request.profile_svg}) {
    if (!picture->empty()) names += ", " + path_text(*picture);
  }
  return names;
}

int file_fault(const FileFault& fault, std::ostream& err) {
  err << "scenario: cannot go on: " << fault.describe() << "\n";
  return kToolFileFault;
}

}  // namespace

int write_report(const ReportRequest& asked, std::ostream& err) {
  const ReportRequest request = with_output_files(asked);
  if (const std::filesystem::path* output = overwritten_input(request)) {
    err << "scenario: " << path_text(*output)
        << " is the route or train file; the report never writes over the author's files\n";
    return kToolUsage;
  }
  const auto compiled = compile(request);
  if (!compiled) return file_fault(compiled.fault(), err);
  const Compiled& done = compiled.value();
  if (done.result.refused) {
    err << compile_text(as_compile_request(request), done.result, colour_by_default(err));
    return done.result.status;
  }

  report::ReportInput input;
  input.state = &done.state;
  input.cells_before_placement =
      done.cells_before_placement ? &*done.cells_before_placement : nullptr;
  input.author_places = done.places;
  input.outcome = outcome_of(request, done.result);
  const std::optional<SourceText> route_text = SourceText::read(request.route, request.encoding);
  const std::optional<SourceText> train_text = SourceText::read(request.train, request.encoding);
  std::vector<check::Diagnostic> findings = done.findings;
  for (check::Diagnostic& note : encoding_diagnostics(done.result)) {
    findings.push_back(std::move(note));
  }
  input.diagnostics =
      report_diagnostics(std::move(findings), {path_text(request.route), path_text(request.train),
                                               route_text ? &*route_text : nullptr,
                                               train_text ? &*train_text : nullptr});
  if (!request.build_profile) {
    input.no_plan_reason = "compiled without the line profile (--no-profile), so there is no plan";
  }
  const report::Report page = report::render_report(input);

  if (auto written = write_text(request.html, page.html); !written) {
    return file_fault(written.fault(), err);
  }
  if (auto written = write_picture(request.map_svg, page.map_svg); !written) {
    return file_fault(written.fault(), err);
  }
  if (auto written = write_picture(request.profile_svg, page.profile_svg); !written) {
    return file_fault(written.fault(), err);
  }
  err << compile_text(as_compile_request(request), done.result, colour_by_default(err));
  err << "wrote " << written_pages(request) << "\n";
  return done.result.status;
}

}  // namespace scenario::tool
