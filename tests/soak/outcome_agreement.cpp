#include "soak/outcome_agreement.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "model/error_meanings.h"

namespace scenario::testing {

namespace {

using nlohmann::json;

struct Noted {
  std::int64_t code = 0;
  std::int64_t position = 0;
};

std::optional<std::int64_t> number_after(std::string_view text, std::string_view lead) {
  const std::size_t at = text.find(lead);
  if (at == std::string_view::npos) return std::nullopt;
  const std::string rest(text.substr(at + lead.size()));
  std::size_t used = 0;
  try {
    const long long value = std::stoll(rest, &used);
    return used > 0 ? std::optional<std::int64_t>(value) : std::nullopt;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

// The pack notes a recorded failure as "... error N at P m ...".
std::optional<Noted> noted_failure(const PackRun& pack) {
  if (pack.notes.size() != 1) return std::nullopt;
  const auto code = number_after(pack.notes.front(), "error ");
  const auto position = number_after(pack.notes.front(), " at ");
  if (!code || !position) return std::nullopt;
  return Noted{*code, *position};
}

std::string shown(const json& value) { return value.dump(); }

bool has_position(std::int64_t code) {
  return error_has_position(static_cast<FailureCode>(static_cast<std::int32_t>(code)));
}

// Line `line` (from 1) of a text whose lines end in CR LF, without its end.
std::optional<std::string_view> line_of(std::string_view text, std::int64_t line) {
  std::size_t start = 0;
  for (std::int64_t k = 1; k < line; ++k) {
    const std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) return std::nullopt;
    start = end + 1;
  }
  if (start >= text.size()) return std::nullopt;
  std::size_t end = text.find('\n', start);
  if (end == std::string_view::npos) end = text.size();
  std::string_view found = text.substr(start, end - start);
  if (!found.empty() && found.back() == '\r') found.remove_suffix(1);
  return found;
}

// The error diagnostic of the recorded failure must stand where the compile says, on a field.
std::string recorded_place(const json& error, const json& compiled, const AuthorTexts& texts) {
  if (error["file"] != compiled["file"] || error["line"] != compiled["line"]) {
    return "the check places error " + shown(error["code"]) + " at " + shown(error["file"]) + ":" +
           shown(error["line"]) + ", the compile at " + shown(compiled["file"]) + ":" +
           shown(compiled["line"]);
  }
  if (error["line"].is_null()) return "";
  const auto text = texts.find(error["file"].get<std::string>());
  if (text == texts.end()) return "the check names a file it was not given";
  const auto line = line_of(text->second, error["line"].get<std::int64_t>());
  if (!line) return "the check's line " + shown(error["line"]) + " is not in the file";
  // A failure of the record as a whole (a read fault) points at its line alone.
  const json& column = error["column"];
  const json& end = error["endColumn"];
  if (column.is_null() && end.is_null()) return "";
  const auto length = static_cast<std::int64_t>(line->size());
  if (!column.is_number_integer() || !end.is_number_integer() || column.get<std::int64_t>() < 1 ||
      end.get<std::int64_t>() < column.get<std::int64_t>() ||
      end.get<std::int64_t>() > length + 1) {
    return "the check's columns " + shown(column) + " to " + shown(end) + " lie off line " +
           shown(error["line"]) + " (" + std::to_string(length) + " bytes)";
  }
  return "";
}

}  // namespace

std::string compile_against_pack(const PackRun& pack, int compile_status, const json& compiled,
                                 const FolderFiles& out) {
  // A run that compiled nothing is a recorded failure to the command.
  const int expected_status = pack.status == 3 ? 1 : pack.status;
  if (compile_status != expected_status) {
    return "pack ended " + std::to_string(pack.status) + ", scenario compile " +
           std::to_string(compile_status);
  }
  const std::int64_t code = compiled.value("error_code", std::int64_t{-1});
  const json& fatal = compiled["fatal"];
  if (pack.status == 1 || pack.status == 3) {
    const auto noted = noted_failure(pack);
    if (!noted) return "the pack noted no failure it can be held to: " + pack.said;
    if (noted->code != code || noted->position != compiled.value("error_position", -1)) {
      return "the pack noted error " + std::to_string(noted->code) + " at " +
             std::to_string(noted->position) + " m, scenario compile error " +
             std::to_string(code) + " at " + shown(compiled["error_position"]) + " m";
    }
  } else if (pack.status == 0 && (code != 0 || !fatal.is_null())) {
    return "the pack recorded nothing, scenario compile error " + std::to_string(code);
  } else if (pack.status == 2 &&
             (!fatal.is_number_integer() || pack.error_box != " Errore n. " + shown(fatal))) {
    return "the pack's box said \"" + pack.error_box + "\", scenario compile's fatal is " +
           shown(fatal);
  }
  // The names in the folder come sorted; the command names them in the order it wrote them.
  std::vector<std::string> named;
  for (const auto& [name, bytes] : out) named.push_back(name);
  std::vector<std::string> outputs;
  for (const json& name : compiled["outputs"]) outputs.push_back(name.get<std::string>());
  std::sort(outputs.begin(), outputs.end());
  if (outputs != named) {
    return "scenario compile names its outputs " + shown(compiled["outputs"]) +
           ", the folder holds " + shown(json(named));
  }
  return "";
}

std::string check_against_compile(const json& compiled, int compile_status, const json& checked,
                                  int check_status, const AuthorTexts& texts) {
  const int expected_status = compile_status == 0 ? 0 : 1;
  if (check_status != expected_status) {
    return "scenario compile ended " + std::to_string(compile_status) + ", scenario check " +
           std::to_string(check_status);
  }
  const std::int64_t code = compiled.value("error_code", std::int64_t{-1});
  const json& outcome = checked["outcome"];
  const json position = has_position(code) ? compiled["error_position"] : json(nullptr);
  if (outcome["code"] != code || outcome["position"] != position ||
      outcome["fatal"] != compiled["fatal"]) {
    return "the check's outcome is " + shown(outcome) + ", the compile's error " +
           std::to_string(code) + " at " + shown(position) + ", fatal " + shown(compiled["fatal"]);
  }

  std::vector<std::string> expected;
  if (code != 0) expected.push_back(std::to_string(code));
  if (compiled["fatal"].is_number_integer()) expected.push_back(shown(compiled["fatal"]));
  std::vector<std::string> errors;
  for (const json& d : checked["diagnostics"]) {
    if (d["level"] != "error") continue;
    errors.push_back(d["code"].get<std::string>());
    if (code != 0 && d["code"] == std::to_string(code)) {
      if (std::string wrong = recorded_place(d, compiled, texts); !wrong.empty()) return wrong;
    }
  }
  std::sort(expected.begin(), expected.end());
  std::sort(errors.begin(), errors.end());
  if (errors != expected) {
    return "the check reports the errors " + shown(json(errors)) + ", the compile recorded " +
           shown(json(expected));
  }
  return "";
}

}  // namespace scenario::testing
