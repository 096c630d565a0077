#include "faults/child_run.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace scenario::testing {

ChildEnd run_child(const std::vector<std::string>& argv, const std::filesystem::path& folder,
                   const std::map<std::string, std::string>& extra) {
  std::random_device random;
  const std::filesystem::path err_file =
      std::filesystem::temp_directory_path() / ("child-err-" + std::to_string(random()));
  const pid_t child = fork();
  if (child < 0) throw std::runtime_error("cannot start a child process");
  if (child == 0) {
    for (const auto& [name, value] : extra) {
      if (value.empty()) {
        unsetenv(name.c_str());
      } else {
        setenv(name.c_str(), value.c_str(), 1);
      }
    }
    const int none = ::open("/dev/null", O_RDWR);
    const int err = ::open(err_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (none < 0 || err < 0 || chdir(folder.c_str()) != 0) _exit(127);
    dup2(none, STDIN_FILENO);
    dup2(none, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(127);
  }
  int how = 0;
  while (waitpid(child, &how, 0) < 0) {
  }
  ChildEnd end;
  if (WIFEXITED(how)) end.status = WEXITSTATUS(how);
  if (WIFSIGNALED(how)) end.signal = WTERMSIG(how);
  std::ifstream in(err_file, std::ios::binary);
  end.err.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  std::error_code ignored;
  std::filesystem::remove(err_file, ignored);
  return end;
}

}  // namespace scenario::testing
