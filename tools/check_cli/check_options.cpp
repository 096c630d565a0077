#include "check_cli/check_options.h"

#include "check/finding.h"
#include "encoding_option.h"
#include "utf8_path.h"
#include "word_choice.h"

namespace scenario::tool {

namespace {

// Only findings can be left out: the failure the pack would record is always reported.
std::string finding_code_only(const std::string& value) {
  return check::finding_named(value) ? std::string()
                                     : "is not a warning or note code (W01 to " +
                                           check::finding_code(check::all_findings().back()) + ")";
}

}  // namespace

CLI::App* add_check_command(CLI::App& app, CheckRequest& request, const CLI::Validator& identity) {
  CLI::App* check = app.add_subcommand(
      "check",
      "Report every problem in a route and a train file: the failure the pack would record "
      "and what it reads differently from how it looks");
  // Paths are UTF-8 text on every system, as for the other commands.
  check
      ->add_option_function<std::string>(
          "--route", [&request](const std::string& text) { request.route = path_from_utf8(text); },
          "Route text file")
      ->required();
  check
      ->add_option_function<std::string>(
          "--train", [&request](const std::string& text) { request.train = path_from_utf8(text); },
          "Train text file")
      ->required();
  CLI::Option* line =
      check->add_option("--line", request.line_name, "Line name (default: a placeholder)")
          ->check(identity);
  CLI::Option* number =
      check->add_option("--number", request.train_number, "Train number (default: a placeholder)")
          ->check(identity);
  // The two come together; either one tells that the identity is the author's.
  line->each([&request](const std::string&) { request.identity_given = true; });
  line->needs(number);
  number->needs(line);
  add_word_option<CheckFormat>(
      check, "--format", request.format,
      {{"human", CheckFormat::human}, {"gcc", CheckFormat::gcc}, {"json", CheckFormat::json}},
      "human (default), gcc or json");
  add_word_option<ColorChoice>(check, "--color", request.color,
                               {{"auto", ColorChoice::automatic},
                                {"always", ColorChoice::always},
                                {"never", ColorChoice::never}},
                               "auto (default), always or never");
  check->add_flag("--werror", request.werror, "Give status 1 for a warning too");
  check->add_option("--exclude", request.exclude, "Codes not to report, such as W04,W14")
      ->delimiter(',')
      ->check(CLI::Validator(finding_code_only, "CODE", "warning or note code"));
  add_encoding_option(check, request.encoding);
  return check;
}

CLI::App* add_explain_command(CLI::App& app, std::string& code) {
  CLI::App* explain =
      app.add_subcommand("explain", "Explain a failure code (such as 16) or a check code (W06)");
  explain->add_option("CODE", code, "The code")->required();
  return explain;
}

void finish_check_request(CheckRequest& request) {
  for (std::string& code : request.exclude) code = check::finding_code(*check::finding_named(code));
}

}  // namespace scenario::tool
