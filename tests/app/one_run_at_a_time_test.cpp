// Runs that share a folder go one at a time: a run holds its folder from before its first text
// file to after its last binary file, waits for another run holding it, gives up after its wait
// leaving every file as it was, and is not kept waiting by a run that died holding the folder.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "app/exit_status.h"
#include "app/form_load.h"
#include "model/file_fault.h"
#include "platform/folder_hold.h"
#include "support/test_support.h"

namespace scenario {
namespace {

using namespace std::chrono_literals;
using testing::FakePlatform;
using testing::file_names;
using testing::read_file;
using testing::TempFolder;
using testing::write_file;

std::string named(std::string_view suffix) {
  return "Vallombra Marina_Scogliera" + std::string(suffix);
}

// Every file in a folder with its bytes.
std::map<std::string, std::string> contents(const std::filesystem::path& folder) {
  std::map<std::string, std::string> files;
  for (const std::string& name : file_names(folder)) files[name] = read_file(folder / name);
  return files;
}

// What a single run of the shipped pack leaves in a folder of its own.
std::map<std::string, std::string> single_run_files() {
  TempFolder alone;
  FakePlatform platform(alone.path());
  EXPECT_EQ(Form_Load(platform, embedded_scenario()), kExitSuccess);
  return contents(alone.path());
}

struct Ending {
  const char* name;
  const char* route;       // nullptr: the shipped route and train
  const char* train;       // with a route of its own: this train text
  const char* in_the_way;  // a folder made before the run where this file goes, or nullptr
  int status;
  std::vector<std::string> after_hold;  // what the run asks for after its hold
};

TEST(OneRunAtATime, HoldsTheFolderFromBeforeTheFirstFileToAfterTheLastWhateverTheEnd) {
  const std::vector<Ending> endings = {
      {"shipped scenario", nullptr, nullptr, nullptr, kExitSuccess, {"release"}},
      {"route text taken by a folder",
       nullptr,
       nullptr,
       "_linea.txt",
       kExitFileFault,
       {"release", "report"}},
      {"cells file taken by a folder",
       nullptr,
       nullptr,
       "_4127.dat",
       kExitFileFault,
       {"release", "report"}},
      {"recorded failure",
       "[generale]\nlunghezza percorso, 0\n[x]\npendenza, 9000, 1\n[fine]\n",
       "",
       nullptr,
       kExitRecordedFailure,
       {"release", "note"}},
      {"nothing compiled",
       "[generale]\nsfondo uno, 1\n[curve]\n[fine]\n",
       "",
       nullptr,
       kExitNothingCompiled,
       {"release", "note"}},
      // Signals on cells 2 and 3 leave cell 1 to the slowdown's code change: error box 1250.
      {"error box",
       "[generale]\nlunghezza percorso, 2000\n[fine]\n",
       "[generale]\n[segnali]\nsegnale, 50, 0,0,0,0,0,0,0,0,0,0\n"
       "segnale, 100, 0,0,0,0,0,0,0,0,0,0\n"
       "[rallentamenti]\nrallentamento, 350, 120, 400, 0, 0, 0\n[fine]\n",
       nullptr,
       kExitErrorBox,
       {"error box", "release"}},
  };
  for (const Ending& ending : endings) {
    SCOPED_TRACE(ending.name);
    ScenarioPayload payload = embedded_scenario();
    if (ending.route != nullptr) {
      payload.route = ending.route;
      payload.train = ending.train;
    }
    TempFolder folder;
    if (ending.in_the_way != nullptr) {
      std::filesystem::create_directory(folder / named(ending.in_the_way));
    }
    const std::vector<std::string> before = file_names(folder.path());

    FakePlatform platform(folder.path());
    EXPECT_EQ(Form_Load(platform, payload), ending.status);
    std::vector<std::string> expected_events = {"window", "hold"};
    expected_events.insert(expected_events.end(), ending.after_hold.begin(),
                           ending.after_hold.end());
    EXPECT_EQ(platform.events, expected_events);
    EXPECT_EQ(platform.held_folder, folder.path());
    EXPECT_EQ(platform.patience, std::chrono::seconds(60));
    EXPECT_EQ(platform.files_when_held, before);
    EXPECT_EQ(platform.files_when_released, file_names(folder.path()));
  }
}

TEST(OneRunAtATime, GivesUpAfterItsWaitLeavingEveryFileAsItWas) {
  TempFolder folder;
  // What another run might have left half-way: its route text, older binary files.
  write_file(folder / named("_linea.txt"), "[generale]\r\n");
  write_file(folder / named("_4127.dat"), std::string(30, '\x01'));
  write_file(folder / named("_linea.dat"), "older");
  const auto before = contents(folder.path());

  FakePlatform platform(folder.path());
  platform.folder_busy = true;
  EXPECT_EQ(Form_Load(platform, embedded_scenario(), 250ms), kExitFolderBusy);
  EXPECT_EQ(platform.patience, 250ms);
  EXPECT_EQ(platform.events, (std::vector<std::string>{"window", "hold", "report"}));
  ASSERT_EQ(platform.reports.size(), 1u);
  EXPECT_NE(platform.reports[0].find(path_text(folder.path())), std::string::npos)
      << platform.reports[0];
  EXPECT_NE(platform.reports[0].find("250 ms"), std::string::npos) << platform.reports[0];
  EXPECT_EQ(contents(folder.path()), before);
}

TEST(OneRunAtATime, WaitsForTheRunHoldingItsFolderThenDoesItsWholeRun) {
  const auto expected = single_run_files();
  TempFolder folder;
  FolderHold other = FolderHold::take(folder.path(), 0ms);
  ASSERT_EQ(other.state(), FolderHold::State::held);

  FakePlatform platform(folder.path());
  platform.real_hold = true;
  int status = -1;
  std::thread run([&] { status = Form_Load(platform, embedded_scenario(), 30s); });
  std::this_thread::sleep_for(200ms);
  EXPECT_TRUE(file_names(folder.path()).empty()) << "written while another run held the folder";
  other = FolderHold();
  run.join();
  EXPECT_EQ(status, kExitSuccess);
  EXPECT_EQ(contents(folder.path()), expected);
}

TEST(OneRunAtATime, ARunHeldUpForTheWholeWaitWritesNothing) {
  TempFolder folder;
  const FolderHold other = FolderHold::take(folder.path(), 0ms);
  ASSERT_EQ(other.state(), FolderHold::State::held);
  FakePlatform platform(folder.path());
  platform.real_hold = true;
  EXPECT_EQ(Form_Load(platform, embedded_scenario(), 100ms), kExitFolderBusy);
  EXPECT_TRUE(file_names(folder.path()).empty());
  EXPECT_EQ(platform.reports.size(), 1u);
}

// A run that stops once it holds its folder: it says through `ready` whether it holds it, then
// waits to be killed.
class StoppedRun final : public Platform {
 public:
  explicit StoppedRun(std::filesystem::path folder, int ready)
      : folder_(std::move(folder)), ready_(ready) {}

  void show_waiting_window(std::string_view) override {}
  void show_error_box(std::string_view) override {}
  FileResult<std::filesystem::path> program_folder() override { return folder_; }
  bool hold_folder(const std::filesystem::path& folder,
                   std::chrono::milliseconds patience) override {
    hold_ = FolderHold::take(folder, patience);
    const char held = hold_.state() == FolderHold::State::held ? 'h' : '-';
    if (::write(ready_, &held, 1) != 1) ::_exit(2);
    for (;;) ::pause();
  }
  void release_folder() override {}
  void report(std::string_view) override {}
  void note(std::string_view) override {}

 private:
  std::filesystem::path folder_;
  int ready_;
  FolderHold hold_;
};

// Kills and reaps the child however the test ends.
class Child {
 public:
  explicit Child(pid_t pid) : pid_(pid) {}
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  ~Child() { kill_and_wait(); }
  // The child's wait status.
  int kill_and_wait() {
    if (pid_ <= 0) return status_;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, &status_, 0);
    pid_ = 0;
    return status_;
  }

 private:
  pid_t pid_;
  int status_ = 0;
};

TEST(OneRunAtATime, ARunKilledWhileItHoldsTheFolderDoesNotKeepTheNextRunWaiting) {
  const auto expected = single_run_files();
  TempFolder folder;
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    ::close(ready[0]);
    StoppedRun stopped(folder.path(), ready[1]);
    Form_Load(stopped, embedded_scenario());
    ::_exit(1);
  }
  Child child(pid);
  ::close(ready[1]);
  char held = 0;
  const ssize_t got = ::read(ready[0], &held, 1);
  ::close(ready[0]);
  ASSERT_EQ(got, 1);
  ASSERT_EQ(held, 'h');

  {  // The stopped run does hold the folder.
    FakePlatform meanwhile(folder.path());
    meanwhile.real_hold = true;
    EXPECT_EQ(Form_Load(meanwhile, embedded_scenario(), 0ms), kExitFolderBusy);
  }
  const int status = child.kill_and_wait();
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);

  // Not a moment of waiting: the killed run's hold went with it.
  FakePlatform next(folder.path());
  next.real_hold = true;
  EXPECT_EQ(Form_Load(next, embedded_scenario(), 0ms), kExitSuccess);
  EXPECT_EQ(contents(folder.path()), expected);
}

}  // namespace
}  // namespace scenario
