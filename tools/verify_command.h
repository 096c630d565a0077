#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace scenario::tool {

// What `scenario verify` was asked to check: compiled files, or folders each holding a set
// (found by the identity, or as the folder's only set).
struct VerifyRequest {
  std::vector<std::filesystem::path> inputs;
  std::optional<std::string> line_name;
  std::optional<std::string> train_number;
};

// Checks each file (inspect/set_checks.h), a cells file or a profile against the table of its
// set beside it, and writes one line per problem to `out`, then "<file>: whole" for each file
// without one. A folder's set must have its table and its cells; its profile is checked when
// there is one. Returns 0 when every file is whole, 1 when a problem was found, 64 for inputs
// that name no compiled file or set, 74 when a file cannot be read (its line goes to `err`).
int run_verify(const VerifyRequest& request, std::ostream& out, std::ostream& err);

}  // namespace scenario::tool
