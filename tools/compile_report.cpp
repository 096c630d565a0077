#include "compile_report.h"

#include <nlohmann/json.hpp>
#include <optional>

#include "model/error_meanings.h"

namespace scenario::tool {

namespace {

constexpr std::string_view kNothingCompiled = "nothing was compiled; no binary file was written";

std::optional<std::string> source_file(const CompileRequest& request, const CompileResult& result) {
  switch (result.failure.source) {
    case TextFile::route:
      return request.route.string();
    case TextFile::train:
      return request.train.string();
    case TextFile::none:
      break;
  }
  return std::nullopt;
}

std::string recorded_message(const CompileResult& result) {
  std::string message(error_meaning(result.failure.error_code));
  if (!result.failure.detail.empty()) message += ": " + result.failure.detail;
  return message;
}

std::string recorded_line(const CompileRequest& request, const CompileResult& result) {
  std::string line;
  if (auto file = source_file(request, result)) {
    line = *file + ":";
    if (result.failure.line > 0) line += std::to_string(result.failure.line) + ":";
    line += " ";
  }
  line += "error " + std::to_string(result.failure.number()) + ": " + recorded_message(result);
  if (error_has_position(result.failure.error_code)) {
    line += " (at " + std::to_string(result.failure.error_position) + " m)";
  }
  return line + "\n";
}

// The one-line summary: the fault, else the recorded failure, else the error box.
std::optional<std::string> summary(const CompileResult& result) {
  if (result.fault) return *result.fault;
  if (result.failure.recorded()) return recorded_message(result);
  if (result.fatal) return std::string(error_meaning(*result.fatal));
  if (result.nothing_compiled) return std::string(kNothingCompiled);
  return std::nullopt;
}

}  // namespace

std::string diagnostics(const CompileRequest& request, const CompileResult& result) {
  std::string text;
  if (result.failure.recorded()) text += recorded_line(request, result);
  if (result.fatal) {
    text += "error " + std::to_string(code_number(*result.fatal)) + ": " +
            std::string(error_meaning(*result.fatal)) + "\n";
  }
  if (result.nothing_compiled) text += "scenario: " + std::string(kNothingCompiled) + "\n";
  if (result.fault) text += "scenario: cannot go on: " + *result.fault + "\n";
  return text;
}

std::string json_report(const CompileRequest& request, const CompileResult& result) {
  nlohmann::ordered_json report;
  report["error_code"] = result.failure.number();
  report["error_position"] = result.failure.error_position;
  report["fatal"] = result.fatal ? nlohmann::ordered_json(code_number(*result.fatal)) : nullptr;
  const auto file = result.failure.recorded() ? source_file(request, result) : std::nullopt;
  report["file"] = file ? nlohmann::ordered_json(*file) : nullptr;
  report["line"] =
      file && result.failure.line > 0 ? nlohmann::ordered_json(result.failure.line) : nullptr;
  const auto message = summary(result);
  report["message"] = message ? nlohmann::ordered_json(*message) : nullptr;
  report["outputs"] = result.outputs;
  // Paths and a reader's message may hold bytes that are not UTF-8; the report must still print.
  return report.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

}  // namespace scenario::tool
