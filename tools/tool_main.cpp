#include "tool_main.h"

#include <CLI/CLI.hpp>
#include <exception>
#include <string>

#include "check_cli/check_options.h"
#include "check_cli/compile_text.h"
#include "check_cli/explain_command.h"
#include "check_cli/terminal.h"
#include "compile_command.h"
#include "compile_report.h"

namespace scenario::tool {

namespace {

// The identity becomes part of file names, so it must not lead out of the working folder.
std::string no_folder_separator(const std::string& value) {
  return value.find_first_of("/\\") == std::string::npos ? std::string()
                                                         : "must not contain / or \\";
}

}  // namespace

int run_tool(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  CLI::App app("Compiles scenario text files the way a scenario pack does.", "scenario");
  app.require_subcommand(1);

  CompileRequest request;
  bool json = false;
  bool no_profile = false;
  CLI::App* compile = app.add_subcommand(
      "compile", "Compile a route and a train file into the simulator's binary files");
  compile->add_option("--route", request.route, "Route text file")->required();
  compile->add_option("--train", request.train, "Train text file")->required();
  compile->add_option("--line", request.line_name, "Line name, as in the pack's file names")
      ->required()
      ->check(CLI::Validator(no_folder_separator, "NAME", "no folder separator"));
  compile->add_option("--number", request.train_number, "Train number")
      ->required()
      ->check(CLI::Validator(no_folder_separator, "NUMBER", "no folder separator"));
  compile->add_option("--out", request.out, "Folder for the binary files")->required();
  compile->add_flag("--no-profile", no_profile, "Do not build or write the line profile");
  compile->add_flag("--json", json, "Print one JSON object on standard output");

  CheckRequest check_request;
  CLI::App* check = add_check_command(
      app, check_request, CLI::Validator(no_folder_separator, "NAME", "no folder separator"));
  std::string explained;
  CLI::App* explain = add_explain_command(app, explained);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int status = app.exit(e, out, err);
    return status == 0 ? kToolSuccess : kToolUsage;
  }

  try {
    if (check->parsed()) {
      finish_check_request(check_request);
      return run_check(check_request, out, err);
    }
    if (explain->parsed()) {
      if (const auto text = explain_text(explained)) {
        out << *text;
        return kToolSuccess;
      }
      err << "scenario: " << explained << " is no code of the system; see the README's tables\n";
      return kToolUsage;
    }
    request.build_profile = !no_profile;
    const CompileResult result = compile_scenario(request);
    if (json) {
      out << json_report(request, result);
    } else {
      err << compile_text(request, result, colour_by_default(err));
    }
    return result.status;
  } catch (const std::exception& fault) {
    err << "scenario: internal error: " << fault.what() << "\n";
    return kToolInternalError;
  }
}

}  // namespace scenario::tool
