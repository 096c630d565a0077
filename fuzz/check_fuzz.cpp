// The check of `scenario check` on a route and a train text: the input is split at its first
// form feed as the compile harness splits it (route before, train after; no form feed: no
// train file), both are put in a folder under /dev/shm, and they are checked as the command
// checks them. The diagnostics are then shown in every form the command has (human text with
// colour, gcc lines, JSON), each code is explained as `scenario explain` explains it, and what
// the forms say must agree: the JSON parses and lists the same diagnostics with the same status,
// every code reported has its explanation, every place shown lies on its source line, the gcc
// form holds one line per diagnostic and note, and an error is reported exactly when the status
// says the pack would fail.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <string_view>

#include "check_cli/check_command.h"
#include "check_cli/diagnostic_text.h"
#include "check_cli/explain_command.h"
#include "model/text_file.h"

#include "run_folder.h"

namespace {

namespace fs = std::filesystem;
using scenario::tool::CheckFormat;
using scenario::tool::CheckOutcome;
using scenario::tool::CheckRequest;

// A report that does not hold together is a finding, as a crash is.
void require(bool holds) {
  if (!holds) std::abort();
}

// The place must lie on its line: a field starts at most just past the line's last byte, and
// its end does not come before its start.
void require_on_its_line(const scenario::check::SourceSpan& where,
                         const scenario::tool::SourceText* text) {
  if (text == nullptr || where.line <= 0) return;
  const std::string_view line = text->line(where.line);
  if (where.column > 0) {
    require(static_cast<std::size_t>(where.column) <= line.size() + 1);
  }
  if (where.end_line > 0) require(where.end_line >= where.line);
  if (where.end_line == where.line && where.column > 0 && where.end_column > 0) {
    require(where.end_column >= where.column);
  }
}

const scenario::tool::SourceText* text_of(scenario::TextFile file,
                                          const scenario::tool::ShownFiles& files) {
  if (file == scenario::TextFile::route) return files.route_text;
  if (file == scenario::TextFile::train) return files.train_text;
  return nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t split = input.find('\f');
  const RunFolder run("scenario-check-fuzz");
  CheckRequest request;
  request.route = run.path() / "route.txt";
  request.train = run.path() / "train.txt";
  put(request.route, input.substr(0, split));
  if (split != std::string_view::npos) put(request.train, input.substr(split + 1));

  const CheckOutcome outcome = scenario::tool::check_scenario(request);
  // A file fault under /dev/shm is the machine's answer, not a finding.
  if (outcome.fault) return 0;
  const scenario::tool::ShownFiles files{request.route.string(), request.train.string(),
                                         outcome.route_text ? &*outcome.route_text : nullptr,
                                         outcome.train_text ? &*outcome.train_text : nullptr};
  static_cast<void>(scenario::tool::human_text(outcome.diagnostics, files, true));
  // Editors read the gcc form line by line: one line for each diagnostic and each note.
  const std::string gcc = scenario::tool::gcc_text(outcome.diagnostics, files);
  std::size_t expected_lines = outcome.diagnostics.size();
  for (const scenario::check::Diagnostic& d : outcome.diagnostics) {
    expected_lines += d.notes.size();
  }
  require(static_cast<std::size_t>(std::count(gcc.begin(), gcc.end(), '\n')) == expected_lines);
  require(gcc.find('\r') == std::string::npos);
  static_cast<void>(scenario::tool::counted(outcome.diagnostics));
  // A check that fails says why: an error is reported exactly when the status says failure.
  bool any_error = false;
  for (const scenario::check::Diagnostic& d : outcome.diagnostics) {
    any_error = any_error || d.level == scenario::check::Level::error;
    require(scenario::tool::explain_text(d.code).has_value());
    require_on_its_line(d.where, text_of(d.where.file, files));
    for (const scenario::check::DiagnosticNote& note : d.notes) {
      require_on_its_line(note.where, text_of(note.where.file, files));
    }
  }

  require(any_error == (outcome.status == scenario::tool::kToolRecordedFailure));

  // The JSON form, through the command's own path: the same files give the same report.
  request.format = CheckFormat::json;
  std::ostringstream out;
  std::ostringstream err;
  const int status = scenario::tool::run_check(request, out, err);
  require(status == outcome.status);
  const nlohmann::json report = nlohmann::json::parse(out.str(), nullptr, false);
  require(!report.is_discarded());
  require(report["diagnostics"].size() == outcome.diagnostics.size());
  return 0;
}
