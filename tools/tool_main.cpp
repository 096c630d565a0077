#include "tool_main.h"

#include <CLI/CLI.hpp>
#include <exception>
#include <string>

#include "compile_command.h"
#include "compile_report.h"
#include "report_command.h"

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

  ReportRequest report_request;
  bool report_no_profile = false;
  CLI::App* report = app.add_subcommand(
      "report", "Compile a route and a train file and draw the result as one HTML page");
  report->add_option("--route", report_request.route, "Route text file")->required();
  report->add_option("--train", report_request.train, "Train text file")->required();
  report->add_option("--line", report_request.line_name, "Line name, as in the pack's file names")
      ->required()
      ->check(CLI::Validator(no_folder_separator, "NAME", "no folder separator"));
  report->add_option("--number", report_request.train_number, "Train number")
      ->required()
      ->check(CLI::Validator(no_folder_separator, "NUMBER", "no folder separator"));
  report->add_option("-o,--output", report_request.html, "HTML page to write")->required();
  report->add_option("--map-svg", report_request.map_svg, "Also write the map as an SVG file");
  report->add_option("--profile-svg", report_request.profile_svg,
                     "Also write the profile as an SVG file");
  report->add_flag("--no-profile", report_no_profile,
                   "Compile without the line profile, as compile --no-profile does");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int status = app.exit(e, out, err);
    return status == 0 ? kToolSuccess : kToolUsage;
  }

  try {
    if (report->parsed()) {
      report_request.build_profile = !report_no_profile;
      return write_report(report_request, err);
    }
    request.build_profile = !no_profile;
    const CompileResult result = compile_scenario(request);
    if (json) {
      out << json_report(request, result);
    } else {
      err << diagnostics(request, result);
    }
    return result.status;
  } catch (const std::exception& fault) {
    err << "scenario: internal error: " << fault.what() << "\n";
    return kToolInternalError;
  }
}

}  // namespace scenario::tool
