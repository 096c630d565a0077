#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace scenario::testing {

// How a program started by a test ended.
struct ChildEnd {
  int status = -1;  // exit status; -1 when it ended by a signal
  int signal = 0;   // the signal that ended it, else 0
  std::string err;  // everything it wrote on standard error
};

// Runs `argv` in `folder` with `extra` added to this process's environment (an empty value
// removes the variable), standard input closed, standard output dropped, and waits for it.
ChildEnd run_child(const std::vector<std::string>& argv, const std::filesystem::path& folder,
                   const std::map<std::string, std::string>& extra);

}  // namespace scenario::testing
