#include "tool_main.h"

#include <CLI/CLI.hpp>
#include <exception>
#include <string>

#include "compile_command.h"
#include "compile_report.h"
#include "model/code_page_1252.h"
#include "pack_command.h"
#include "platform/program_file.h"
#include "utf8_path.h"

namespace scenario::tool {

namespace {

// The identity becomes part of file names, so it must not lead out of the working folder.
std::string no_folder_separator(const std::string& value) {
  return value.find_first_of("/\\") == std::string::npos ? std::string()
                                                         : "must not contain / or \\";
}

// A path option, taken as UTF-8 whatever the system.
CLI::Option* add_path(CLI::App* command, const std::string& name, std::filesystem::path& path,
                      const std::string& description) {
  return command->add_option_function<std::string>(
      name, [&path](const std::string& text) { path = path_from_utf8(text); }, description);
}

CLI::Option* add_path(CLI::App* command, const std::string& name,
                      std::optional<std::filesystem::path>& path, const std::string& description) {
  return command->add_option_function<std::string>(
      name, [&path](const std::string& text) { path = path_from_utf8(text); }, description);
}

CLI::App* add_pack(CLI::App& app, PackRequest& request, std::string& target) {
  CLI::App* pack = app.add_subcommand(
      "pack", "Make a pack executable carrying the scenario, for Windows or Linux");
  add_path(pack, "--route", request.route, "Route text file")->required();
  add_path(pack, "--train", request.train, "Train text file")->required();
  add_path(pack, "--notes", request.notes, "Notes text file (empty when left out)");
  add_path(pack, "--slowdowns", request.slowdowns, "Slowdowns text file (empty when left out)");
  add_path(pack, "--sheet", request.sheet, "Train sheet text file (empty when left out)");
  pack->add_option("--line", request.line_name, "Line name, as in the pack's file names")
      ->required();
  pack->add_option("--number", request.train_number, "Train number")->required();
  pack->add_option("--target", target, "The system the pack runs on (default windows)")
      ->check(CLI::IsMember({"windows", "linux"}));
  add_path(pack, "-o,--output", request.out, "The pack's file, or a folder for it");
  pack->add_flag("--allow-failures", request.allow_failures,
                 "Pack a scenario that records a failure all the same");
  add_path(pack, "--stub", request.stub, "Make the pack from this stub, not the one installed");
  return pack;
}

int run_pack(PackRequest& request, const std::string& target, std::ostream& err) {
  request.target = target == "linux" ? PackTarget::linux : PackTarget::windows;
  request.command_folder = running_program_file().parent_path();
  const PackResult result = pack_scenario(request);
  err << result.report;
  return result.status;
}

}  // namespace

int run_tool(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  CLI::App app("Compiles scenario text files the way a scenario pack does, and makes packs.",
               "scenario");
  app.require_subcommand(1);

  CompileRequest request;
  bool json = false;
  bool no_profile = false;
  CLI::App* compile = app.add_subcommand(
      "compile", "Compile a route and a train file into the simulator's binary files");
  add_path(compile, "--route", request.route, "Route text file")->required();
  add_path(compile, "--train", request.train, "Train text file")->required();
  compile->add_option("--line", request.line_name, "Line name, as in the pack's file names")
      ->required()
      ->check(CLI::Validator(no_folder_separator, "NAME", "no folder separator"));
  compile->add_option("--number", request.train_number, "Train number")
      ->required()
      ->check(CLI::Validator(no_folder_separator, "NUMBER", "no folder separator"));
  add_path(compile, "--out", request.out, "Folder for the binary files")->required();
  compile->add_flag("--no-profile", no_profile, "Do not build or write the line profile");
  compile->add_flag("--json", json, "Print one JSON object on standard output");

  PackRequest pack_request;
  std::string target = "windows";
  CLI::App* pack = add_pack(app, pack_request, target);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int status = app.exit(e, out, err);
    return status == 0 ? kToolSuccess : kToolUsage;
  }

  try {
    if (pack->parsed()) return run_pack(pack_request, target, err);

    // The pack holds its names as code page 1252 text; so does the compile that stands for it.
    const auto line = utf8_to_code_page_1252(request.line_name);
    const auto number = utf8_to_code_page_1252(request.train_number);
    if (!line || !number) {
      err << "scenario compile: --line and --number must be UTF-8 text that code page 1252 "
             "holds\n";
      return kToolUsage;
    }
    request.line_name = *line;
    request.train_number = *number;
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
