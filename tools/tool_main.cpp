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
#include "diff_command.h"
#include "dump_command.h"
#include "encoding_option.h"
#include "inspect/kind_names.h"
#include "model/code_page_1252.h"
#include "pack_command.h"
#include "platform/program_file.h"
#include "report_command.h"
#include "utf8_path.h"
#include "verify_command.h"
#include "word_choice.h"

namespace scenario::tool {

namespace {

// The identity becomes part of file names, so it must not lead out of the working folder.
std::string no_folder_separator(const std::string& value) {
  return value.find_first_of("/\\") == std::string::npos ? std::string()
                                                         : "must not contain / or \\";
}

std::string known_kind(const std::string& value) {
  return inspect::kind_code(value) ? std::string() : "no cell kind is named " + value;
}

// A wrong command line is told in one line, naming the subcommand.
std::string one_line_failure(const CLI::App* app, const CLI::Error& error) {
  std::string command = app->get_name();
  for (const CLI::App* sub : app->get_subcommands()) command += " " + sub->get_name();
  return command + ": " + error.what() + " (see " + command + " --help)\n";
}

// --line and --number of the inspecting commands, which name a set in a folder.
void identity_options(CLI::App* command, std::optional<std::string>& line,
                      std::optional<std::string>& number) {
  command->add_option("--line", line, "Line name of the set in a folder")
      ->check(CLI::Validator(no_folder_separator, "NAME", "no folder separator"));
  command->add_option("--number", number, "Train number of the set in a folder")
      ->check(CLI::Validator(no_folder_separator, "NUMBER", "no folder separator"));
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

CLI::Option* add_paths(CLI::App* command, const std::string& name,
                       std::vector<std::filesystem::path>& paths, const std::string& description) {
  return command->add_option_function<std::vector<std::string>>(
      name,
      [&paths](const std::vector<std::string>& texts) {
        for (const std::string& text : texts) paths.push_back(path_from_utf8(text));
      },
      description);
}

// The pack holds its names as code page 1252 text; so does a compile that stands for it.
bool identity_in_code_page(std::string& line, std::string& number, const char* command,
                           std::ostream& err) {
  const auto line_1252 = utf8_to_code_page_1252(line);
  const auto number_1252 = utf8_to_code_page_1252(number);
  if (!line_1252 || !number_1252) {
    err << "scenario " << command
        << ": --line and --number must be UTF-8 text that code page 1252 holds\n";
    return false;
  }
  line = *line_1252;
  number = *number_1252;
  return true;
}

// The identity that names a set in a folder, when it is given, as the set's files name it.
bool identity_in_code_page(std::optional<std::string>& line, std::optional<std::string>& number,
                           const char* command, std::ostream& err) {
  std::string line_text = line.value_or("");
  std::string number_text = number.value_or("");
  if (!identity_in_code_page(line_text, number_text, command, err)) return false;
  if (line) line = line_text;
  if (number) number = number_text;
  return true;
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
                 "Pack a scenario that records a failure or skips a whole file all the same");
  pack->add_flag("--force", request.force,
                 "Pack into a folder where running the pack would lose your text files");
  pack->add_flag("-q,--quiet", request.quiet, "Show no warnings, notes or success line");
  add_path(pack, "--stub", request.stub, "Make the pack from this stub, not the one installed");
  add_encoding_option(pack, request.encoding);
  return pack;
}

int run_pack(PackRequest& request, const std::string& target, std::ostream& err) {
  request.target = target == "linux" ? PackTarget::linux : PackTarget::windows;
  request.command_folder = running_program_file().parent_path();
  request.color = colour_by_default(err);
  const PackResult result = pack_scenario(request);
  err << result.report;
  return result.status;
}

}  // namespace

int run_tool(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  CLI::App app(
      "Compiles scenario text files the way a scenario pack does, makes packs, and shows, checks "
      "and compares the compiled files.",
      "scenario");
  app.require_subcommand(1);
  app.failure_message(one_line_failure);

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
  add_encoding_option(compile, request.encoding);

  CheckRequest check_request;
  CLI::App* check = add_check_command(
      app, check_request, CLI::Validator(no_folder_separator, "NAME", "no folder separator"));
  std::string explained;
  CLI::App* explain = add_explain_command(app, explained);

  ReportRequest report_request;
  bool report_no_profile = false;
  CLI::App* report = app.add_subcommand(
      "report", "Compile a route and a train file and draw the result as one HTML page");
  add_path(report, "--route", report_request.route, "Route text file")->required();
  add_path(report, "--train", report_request.train, "Train text file")->required();
  report->add_option("--line", report_request.line_name, "Line name, as in the pack's file names")
      ->required()
      ->check(CLI::Validator(no_folder_separator, "NAME", "no folder separator"));
  report->add_option("--number", report_request.train_number, "Train number")
      ->required()
      ->check(CLI::Validator(no_folder_separator, "NUMBER", "no folder separator"));
  add_path(report, "-o,--output", report_request.html, "HTML page to write")->required();
  add_path(report, "--map-svg", report_request.map_svg, "Also write the map as an SVG file");
  add_path(report, "--profile-svg", report_request.profile_svg,
           "Also write the profile as an SVG file");
  report->add_flag("--no-profile", report_no_profile,
                   "Compile without the line profile, as compile --no-profile does");
  add_encoding_option(report, report_request.encoding);
  DumpRequest dump;
  std::vector<std::string> kinds;
  std::optional<std::int64_t> from_metres;
  std::optional<std::int64_t> to_metres;
  CLI::App* dump_command = app.add_subcommand(
      "dump", "Show what compiled files hold: the line profile, the scenario table, the cells");
  add_paths(dump_command, "files", dump.inputs, "Compiled files, or a folder holding a set")
      ->required();
  identity_options(dump_command, dump.line_name, dump.train_number);
  dump_command
      ->add_option("--cells", dump.last_cell,
                   "The cell file holds cells 0 to N (when no scenario table is beside it)")
      ->check(CLI::NonNegativeNumber);
  dump_command
      ->add_option("--rows", dump.last_row,
                   "The profile holds rows 0 to M (when no scenario table is beside it)")
      ->check(CLI::NonNegativeNumber);
  add_word_option<inspect::DumpFormat>(dump_command, "--format", dump.format,
                                       {{"text", inspect::DumpFormat::text},
                                        {"json", inspect::DumpFormat::json},
                                        {"csv", inspect::DumpFormat::csv}},
                                       "text (default), json or csv");
  // One value for each --kind, split at commas: a folder or file after it is no kind.
  dump_command
      ->add_option("--kind", kinds,
                   "Only cells of these kinds, e.g. signal,code_change; a file with none of them "
                   "is left out")
      ->expected(1)
      ->allow_extra_args(false)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
      ->delimiter(',')
      ->check(CLI::Validator(known_kind, "KIND", "a cell kind"));
  dump_command->add_option("--from", from_metres, "Only cells and profile rows from METRES on");
  dump_command->add_option("--to", to_metres, "Only cells and profile rows up to METRES");
  dump_command->add_flag("--all", dump.filter.all, "Text: list empty cells and slots too");

  VerifyRequest verify;
  CLI::App* verify_command =
      app.add_subcommand("verify", "Check that compiled files are whole and agree with each other");
  add_paths(verify_command, "files", verify.inputs, "Compiled files, or a folder holding a set")
      ->required();
  identity_options(verify_command, verify.line_name, verify.train_number);

  DiffRequest diff;
  std::string diff_format = "text";
  CLI::App* diff_command =
      app.add_subcommand("diff", "Show what differs between two compiled sets, record by record");
  add_path(diff_command, "a", diff.a, "A folder holding a set, or a compiled file")->required();
  add_path(diff_command, "b", diff.b, "A folder, or a compiled file of the same kind")->required();
  identity_options(diff_command, diff.line_name, diff.train_number);
  diff_command->add_option("--format", diff_format, "text (default) or json")
      ->check(CLI::IsMember({"text", "json"}));

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
    if (check->parsed()) {
      if (!identity_in_code_page(check_request.line_name, check_request.train_number, "check",
                                 err)) {
        return kToolUsage;
      }
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
    if (report->parsed()) {
      if (!identity_in_code_page(report_request.line_name, report_request.train_number, "report",
                                 err)) {
        return kToolUsage;
      }
      report_request.build_profile = !report_no_profile;
      return write_report(report_request, err);
    }
    if (dump_command->parsed()) {
      if (!identity_in_code_page(dump.line_name, dump.train_number, "dump", err)) {
        return kToolUsage;
      }
      for (const std::string& kind : kinds) dump.filter.kinds.push_back(*inspect::kind_code(kind));
      dump.filter.from_metres = from_metres;
      dump.filter.to_metres = to_metres;
      return run_dump(dump, out, err);
    }
    if (verify_command->parsed()) {
      if (!identity_in_code_page(verify.line_name, verify.train_number, "verify", err)) {
        return kToolUsage;
      }
      return run_verify(verify, out, err);
    }
    if (diff_command->parsed()) {
      if (!identity_in_code_page(diff.line_name, diff.train_number, "diff", err)) {
        return kToolUsage;
      }
      diff.json = diff_format == "json";
      return run_diff(diff, out, err);
    }
    if (pack->parsed()) return run_pack(pack_request, target, err);

    if (!identity_in_code_page(request.line_name, request.train_number, "compile", err)) {
      return kToolUsage;
    }
    request.build_profile = !no_profile;
    const CompileResult result = compile_scenario(request);
    if (json) {
      out << json_report(request, result);
      // The notes of converted files are not part of the object: they go where the text report
      // would be.
      CompileResult notes_only;
      notes_only.converted = result.converted;
      err << compile_text(request, notes_only, false);
    } else {
      err << compile_text(request, result, colour_by_default(err))
          << written_files(request, result);
    }
    return result.status;
  } catch (const std::exception& fault) {
    err << "scenario: internal error: " << fault.what() << "\n";
    return kToolInternalError;
  }
}

}  // namespace scenario::tool
