#include "compile_report.h"

#include <nlohmann/json.hpp>
#include <optional>

#include "model/error_meanings.h"
#include "model/file_fault.h"

namespace scenario::tool {

namespace {

constexpr std::string_view kNothingCompiled = "nothing was compiled; no binary file was written";

std::optional<std::string> source_file(const CompileRequest& request, const CompileResult& result) {
  switch (result.error_source) {
    case ErrorSource::route_file:
      return path_text(request.route);
    case ErrorSource::train_file:
      return path_text(request.train);
    case ErrorSource::none:
      break;
  }
  return std::nullopt;
}

std::string recorded_message(const CompileResult& result) {
  std::string message(error_meaning(result.error_code));
  if (!result.error_detail.empty()) message += ": " + result.error_detail;
  return message;
}

std::string recorded_line(const CompileRequest& request, const CompileResult& result) {
  std::string line;
  if (auto file = source_file(request, result)) {
    line = *file + ":";
    if (result.error_line > 0) line += std::to_string(result.error_line) + ":";
    line += " ";
  }
  line += "error " + std::to_string(result.error_code) + ": " + recorded_message(result);
  if (error_has_position(result.error_code)) {
    line += " (at " + std::to_string(result.error_position) + " m)";
  }
  return line + "\n";
}

// The one-line summary: the fault, else the recorded failure, else the error box.
std::optional<std::string> summary(const CompileResult& result) {
  if (result.fault) return *result.fault;
  if (result.error_code != 0) return recorded_message(result);
  if (result.fatal) return std::string(error_meaning(*result.fatal));
  if (result.nothing_compiled) return std::string(kNothingCompiled);
  return std::nullopt;
}

}  // namespace

std::string diagnostics(const CompileRequest& request, const CompileResult& result) {
  std::string text;
  if (result.error_code != 0) text += recorded_line(request, result);
  if (result.fatal) {
    text += "error " + std::to_string(*result.fatal) + ": " +
            std::string(error_meaning(*result.fatal)) + "\n";
  }
  if (result.nothing_compiled) text += "scenario: " + std::string(kNothingCompiled) + "\n";
  if (result.fault) text += "scenario: cannot go on: " + *result.fault + "\n";
  return text;
}

std::string json_report(const CompileRequest& request, const CompileResult& result) {
  nlohmann::ordered_json report;
  report["error_code"] = result.error_code;
  report["error_position"] = result.error_position;
  report["fatal"] = result.fatal ? nlohmann::ordered_json(*result.fatal) : nullptr;
  const auto file = result.error_code != 0 ? source_file(request, result) : std::nullopt;
  report["file"] = file ? nlohmann::ordered_json(*file) : nullptr;
  report["line"] =
      file && result.error_line > 0 ? nlohmann::ordered_json(result.error_line) : nullptr;
  const auto message = summary(result);
  report["message"] = message ? nlohmann::ordered_json(*message) : nullptr;
  report["outputs"] = result.outputs;
  // Paths and a reader's message may hold bytes that are not UTF-8; the report must still print.
  return report.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

}  // namespace scenario::tool
