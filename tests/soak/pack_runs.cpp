#include "soak/pack_runs.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <fstream>
#include <sstream>

#include "app/form_load.h"
#include "platform/folder_hold.h"
#include "platform/platform.h"
#include "tool_main.h"

namespace scenario::testing {

namespace {

namespace fs = std::filesystem;

// A pack's platform without a screen: its folder is the one given, its hold the system's own,
// and whatever it is told is kept in order.
class FolderPlatform final : public Platform {
 public:
  FolderPlatform(fs::path folder, PackRun& run) : folder_(std::move(folder)), run_(run) {}
  void show_waiting_window(std::string_view) override {}
  void show_error_box(std::string_view text) override {
    run_.error_box = std::string(text);
    say(text);
  }
  FileResult<fs::path> program_folder() override { return folder_; }
  bool hold_folder(const fs::path& folder, std::chrono::milliseconds patience) override {
    hold_ = FolderHold::take(folder, patience);
    return hold_.state() != FolderHold::State::busy;
  }
  void release_folder() override { hold_ = FolderHold(); }
  void report(std::string_view line) override { say(line); }
  void note(std::string_view line) override {
    run_.notes.emplace_back(line);
    say(line);
  }

 private:
  void say(std::string_view line) {
    run_.said.append(line);
    run_.said.push_back('\n');
  }

  fs::path folder_;
  PackRun& run_;
  FolderHold hold_;
};

}  // namespace

std::string read_bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void write_bytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

FolderFiles folder_files(const fs::path& folder) {
  FolderFiles files;
  for (const auto& entry : fs::directory_iterator(folder)) {
    files[entry.path().filename().string()] = read_bytes(entry.path());
  }
  return files;
}

void empty_folder(const fs::path& folder) {
  fs::remove_all(folder);
  fs::create_directories(folder);
}

PackRun run_pack_in(const fs::path& folder, const ScenarioPayload& payload) {
  empty_folder(folder);
  PackRun run;
  FolderPlatform platform(folder, run);
  run.status = Form_Load(platform, payload);
  return run;
}

ChildRun run_child(const fs::path& program, const fs::path& logs) {
  const fs::path out = logs / "child.out";
  const fs::path err = logs / "child.err";
  const std::string program_text = program.string();
  const std::string folder_text = program.parent_path().string();
  ChildRun run;
  const pid_t child = ::fork();
  if (child == 0) {
    // Only calls that are safe between fork and exec.
    const int in_fd = ::open("/dev/null", O_RDONLY);
    const int out_fd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err_fd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in_fd < 0 || out_fd < 0 || err_fd < 0 || ::dup2(in_fd, 0) < 0 || ::dup2(out_fd, 1) < 0 ||
        ::dup2(err_fd, 2) < 0 || ::chdir(folder_text.c_str()) != 0) {
      ::_exit(126);
    }
    char* const argv[] = {const_cast<char*>(program_text.c_str()), nullptr};
    ::execv(program_text.c_str(), argv);
    ::_exit(127);
  }
  if (child < 0) return run;
  int wait_status = 0;
  pid_t ended = -1;
  do {
    ended = ::waitpid(child, &wait_status, 0);
  } while (ended < 0 && errno == EINTR);
  if (ended < 0) return run;
  run.status = WIFEXITED(wait_status)     ? WEXITSTATUS(wait_status)
               : WIFSIGNALED(wait_status) ? 128 + WTERMSIG(wait_status)
                                          : -1;
  run.output = read_bytes(out);
  run.errors = read_bytes(err);
  return run;
}

ToolRun run_scenario_command(const std::vector<std::string>& arguments) {
  std::vector<const char*> argv = {"scenario"};
  for (const std::string& argument : arguments) argv.push_back(argument.c_str());
  std::ostringstream out, err;
  ToolRun run;
  run.status = tool::run_tool(static_cast<int>(argv.size()), argv.data(), out, err);
  run.out = out.str();
  run.err = err.str();
  return run;
}

}  // namespace scenario::testing
