#pragma once

#include <map>
#include <nlohmann/json.hpp>
#include <string>

#include "soak/pack_runs.h"

namespace scenario::testing {

// The author's texts by the path the commands were given them under.
using AuthorTexts = std::map<std::string, std::string>;

// Where `scenario compile --json` (`compiled`, with its exit status) parts from the pack's own
// run: the status the command gives for the pack's, the code and position the pack noted, the
// number its error box showed, and the outputs it names against the files in `out`. Empty when
// they agree.
std::string compile_against_pack(const PackRun& pack, int compile_status,
                                 const nlohmann::json& compiled, const FolderFiles& out);

// Where `scenario check --format json` (`checked`, with its exit status) parts from the
// compile: the same status, the outcome's code, position and error box, and exactly one error
// diagnostic for each of them, the recorded failure's at the compile's file and line, its
// columns, when it has them, on that line. Empty when they agree.
std::string check_against_compile(const nlohmann::json& compiled, int compile_status,
                                  const nlohmann::json& checked, int check_status,
                                  const AuthorTexts& texts);

}  // namespace scenario::testing
