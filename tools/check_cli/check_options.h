#pragma once

#include <CLI/CLI.hpp>
#include <string>

#include "check_cli/check_command.h"

namespace scenario::tool {

// The options of `scenario check`, filling `request`, and of `scenario explain`, filling `code`.
// `identity` checks a line name or train number. After parsing, finish_check_request turns the
// excluded codes into their canonical form ("w6" into "W06").
CLI::App* add_check_command(CLI::App& app, CheckRequest& request, const CLI::Validator& identity);
CLI::App* add_explain_command(CLI::App& app, std::string& code);
void finish_check_request(CheckRequest& request);

}  // namespace scenario::tool
