#include "working_folder.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace scenario::tool {
namespace {

using namespace std::chrono_literals;
using scenario::testing::file_names;
using scenario::testing::read_file;
using scenario::testing::TempFolder;
using scenario::testing::write_file;

std::string working_name(std::string_view rest) {
  return std::string(WorkingFolder::kNamePrefix) + std::string(rest);
}

std::vector<std::string> without(std::vector<std::string> names, const std::string& name) {
  names.erase(std::remove(names.begin(), names.end(), name), names.end());
  return names;
}

TEST(WorkingFolder, HoldsItsFolderForItsLifeAndRemovesItWithItsFiles) {
  TempFolder base;
  std::filesystem::path made;
  {
    const auto working = WorkingFolder::create_in(base.path());
    ASSERT_TRUE(working.ok()) << working.fault().describe();
    made = working.value().path();
    EXPECT_EQ(made.parent_path(), base.path());
    EXPECT_TRUE(made.filename().string().starts_with(WorkingFolder::kNamePrefix));
    write_file(made / "Vallombra Marina_Scogliera_4127.dat", "cells");
    EXPECT_EQ(FolderHold::take(made, 0ms).state(), FolderHold::State::busy);
    // Another run's clearing keeps a folder that is in use.
    remove_abandoned_working_folders(base.path());
    EXPECT_EQ(read_file(made / "Vallombra Marina_Scogliera_4127.dat"), "cells");
  }
  EXPECT_FALSE(std::filesystem::exists(made));
  EXPECT_TRUE(file_names(base.path()).empty());
}

TEST(WorkingFolder, TheNextRunRemovesFoldersNobodyHoldsAndNothingElse) {
  TempFolder base;
  TempFolder elsewhere;
  write_file(elsewhere / "author.txt", "kept");
  // Left by a run that ended without removing it, with a nested folder of its own.
  std::filesystem::create_directories(base / working_name("1") / "inner");
  write_file(base / working_name("1") / "inner" / "route.txt", "x");
  // In use by a live run.
  std::filesystem::create_directory(base / working_name("2"));
  const FolderHold live = FolderHold::take(base / working_name("2"), 0ms);
  ASSERT_EQ(live.state(), FolderHold::State::held);
  // Not working folders of this kind: another name, a file and a link with the name.
  std::filesystem::create_directory(base / "scenario-compile-7");
  std::filesystem::create_directory(base / "other");
  write_file(base / working_name("file"), "not a folder");
  std::filesystem::create_directory_symlink(elsewhere.path(), base / working_name("link"));
  const std::vector<std::string> kept = without(file_names(base.path()), working_name("1"));

  const auto working = WorkingFolder::create_in(base.path());
  ASSERT_TRUE(working.ok()) << working.fault().describe();
  EXPECT_EQ(without(file_names(base.path()), working.value().path().filename().string()), kept);
  EXPECT_EQ(read_file(elsewhere / "author.txt"), "kept");
}

TEST(WorkingFolder, AFolderLeftByAKilledCompileIsRemovedByTheNextOne) {
  TempFolder base;
  int made[2];
  ASSERT_EQ(::pipe(made), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::close(made[0]);
    const auto working = WorkingFolder::create_in(base.path());
    const std::string name = working ? working.value().path().filename().string() : "";
    if (::write(made[1], name.data(), name.size()) != static_cast<ssize_t>(name.size())) {
      ::_exit(2);
    }
    ::close(made[1]);
    for (;;) ::pause();
  }
  ::close(made[1]);
  std::string name(200, '\0');
  const ssize_t got = ::read(made[0], name.data(), name.size());
  ::close(made[0]);
  name.resize(got > 0 ? static_cast<std::size_t>(got) : 0);

  // While the compile lives, another one keeps its folder. Nothing may stop the test before
  // the child is killed.
  const bool made_meanwhile = WorkingFolder::create_in(base.path()).ok();
  const bool kept_while_alive = !name.empty() && std::filesystem::is_directory(base / name);
  ::kill(child, SIGKILL);
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_TRUE(made_meanwhile);
  ASSERT_TRUE(kept_while_alive) << "the killed compile's folder: '" << name << "'";
  ASSERT_TRUE(std::filesystem::is_directory(base / name)) << "killed compiles leave it behind";

  const auto next = WorkingFolder::create_in(base.path());
  ASSERT_TRUE(next.ok());
  EXPECT_EQ(file_names(base.path()),
            std::vector<std::string>{next.value().path().filename().string()});
}

}  // namespace
}  // namespace scenario::tool
