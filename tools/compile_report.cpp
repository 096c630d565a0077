#include "compile_report.h"

#include <nlohmann/json.hpp>
#include <optional>

#include "model/error_meanings.h"
#include "model/file_fault.h"
#include "model/recorded_failure.h"

namespace scenario::tool {

namespace {

constexpr std::string_view kNothingCompiled = "nothing was compiled; no binary file was written";

// The author's file `file` names; an empty path for none.
std::filesystem::path path_of(const CompileRequest& request, TextFile file) {
  return file == TextFile::route   ? request.route
         : file == TextFile::train ? request.train
                                   : std::filesystem::path();
}

// The author's file the failure was found in; an empty path when it was found in none.
std::filesystem::path source_path(const CompileRequest& request, const CompileResult& result) {
  return path_of(request, result.failure.source);
}

std::optional<std::string> source_file(const CompileRequest& request, const CompileResult& result) {
  if (result.failure.source == TextFile::none) return std::nullopt;
  return path_text(source_path(request, result));
}

// The reader's detail names the file it was reading as the author knows it.
std::string recorded_message(const CompileRequest& request, const CompileResult& result) {
  std::string message(error_meaning(result.failure.error_code));
  if (!result.failure.detail.empty()) {
    message += ": " + detail_text(result.failure.detail, source_path(request, result));
  }
  return message;
}

// A file that cannot be converted to code page 1252, with its column, which the object has no
// field of its own for.
std::string refused_message(const RefusedText& refused) {
  return refused.refusal.message + " (column " + std::to_string(refused.refusal.where.column) +
         "); nothing was compiled";
}

// The one-line summary: the fault, else a file refused, else the recorded failure, else the
// error box.
std::optional<std::string> summary(const CompileRequest& request, const CompileResult& result) {
  if (!result.files) return result.files.fault().describe();
  if (result.refused) return refused_message(*result.refused);
  if (result.failure.recorded()) return recorded_message(request, result);
  if (result.fatal) return std::string(error_meaning(*result.fatal));
  if (result.nothing_compiled) return std::string(kNothingCompiled);
  return std::nullopt;
}

}  // namespace

std::string json_report(const CompileRequest& request, const CompileResult& result) {
  nlohmann::ordered_json report;
  report["error_code"] = result.failure.number();
  report["error_position"] = result.failure.error_position;
  report["fatal"] = result.fatal ? nlohmann::ordered_json(code_number(*result.fatal)) : nullptr;
  auto file = result.failure.recorded() ? source_file(request, result) : std::nullopt;
  std::int32_t line = result.failure.line;
  if (result.refused) {
    file = path_text(path_of(request, result.refused->file));
    line = result.refused->refusal.where.line;
  }
  report["file"] = file ? nlohmann::ordered_json(*file) : nullptr;
  report["line"] = file && line > 0 ? nlohmann::ordered_json(line) : nullptr;
  const auto message = summary(request, result);
  report["message"] = message ? nlohmann::ordered_json(*message) : nullptr;
  report["outputs"] = result.outputs;
  // Paths and a reader's message may hold bytes that are not UTF-8; the report must still print.
  return report.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

std::string written_files(const CompileRequest& request, const CompileResult& result) {
  if (result.outputs.empty()) return {};
  std::string names;
  for (const std::string& name : result.outputs) names += (names.empty() ? "" : ", ") + name;
  return "wrote " + names + " in " + path_text(request.out) + "\n";
}

}  // namespace scenario::tool
