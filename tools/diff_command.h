#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

namespace scenario::tool {

// What `scenario diff` was asked to compare: two folders holding a set each (found by the
// identity, or as each folder's only set), or two compiled files of the same kind.
struct DiffRequest {
  std::filesystem::path a;
  std::filesystem::path b;
  std::optional<std::string> line_name;
  std::optional<std::string> train_number;
  bool json = false;
};

// Exit statuses of `scenario diff` beyond 0 (identical) and 64 and 74 as for every command.
inline constexpr int kDiffDiffers = 1;
inline constexpr int kDiffDamaged = 2;  // a file could be read but not decoded

// Writes the differences to `out` (inspect/diff_report.h) and a file that cannot be compared to
// `err` as one line.
int run_diff(const DiffRequest& request, std::ostream& out, std::ostream& err);

}  // namespace scenario::tool
