#include "check_cli/check_options.h"

#include <map>

#include "check/finding.h"
#include "encoding_option.h"
#include "utf8_path.h"

namespace scenario::tool {

namespace {

// Only findings can be left out: the failure the pack would record is always reported.
std::string finding_code_only(const std::string& value) {
  return check::finding_named(value) ? std::string()
                                     : "is not a warning or note code (W01 to " +
                                           check::finding_code(static_cast<check::Finding>(
                                               check::finding_explanations().size())) +
                                           ")";
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
  line->needs(number);
  number->needs(line);
  const std::map<std::string, CheckFormat> formats{
      {"human", CheckFormat::human}, {"gcc", CheckFormat::gcc}, {"json", CheckFormat::json}};
  check->add_option("--format", request.format, "human (default), gcc or json")
      ->transform(CLI::CheckedTransformer(formats, CLI::ignore_case));
  const std::map<std::string, ColorChoice> colors{{"auto", ColorChoice::automatic},
                                                  {"always", ColorChoice::always},
                                                  {"never", ColorChoice::never}};
  check->add_option("--color", request.color, "auto (default), always or never")
      ->transform(CLI::CheckedTransformer(colors, CLI::ignore_case));
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
