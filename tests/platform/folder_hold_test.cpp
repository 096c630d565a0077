#include "platform/folder_hold.h"

#include <gtest/gtest.h>

#include <thread>

#include "support/test_support.h"

namespace scenario {
namespace {

using namespace std::chrono_literals;
using testing::file_names;
using testing::TempFolder;
using testing::write_file;
using State = FolderHold::State;

TEST(FolderHold, KeepsOthersOutUntilLetGoAndLeavesNothingInTheFolder) {
  TempFolder folder;
  FolderHold first = FolderHold::take(folder.path(), 0ms);
  EXPECT_EQ(first.state(), State::held);
  EXPECT_EQ(FolderHold::take(folder.path(), 0ms).state(), State::busy);
  EXPECT_EQ(FolderHold::take(folder.path(), 50ms).state(), State::busy);
  EXPECT_TRUE(file_names(folder.path()).empty());

  // A moved hold still holds; the object it came from holds nothing.
  FolderHold moved = std::move(first);
  first = FolderHold();
  EXPECT_EQ(FolderHold::take(folder.path(), 0ms).state(), State::busy);

  moved = FolderHold();
  EXPECT_EQ(FolderHold::take(folder.path(), 0ms).state(), State::held);
  EXPECT_TRUE(file_names(folder.path()).empty());
}

TEST(FolderHold, EverySpellingOfOneFolderMeetsTheSameHold) {
  TempFolder folder;
  std::filesystem::create_directory(folder / "sub");
  std::filesystem::create_directory_symlink(folder.path(), folder / "link");
  const FolderHold held = FolderHold::take(folder.path(), 0ms);
  ASSERT_EQ(held.state(), State::held);
  for (const std::filesystem::path& spelling :
       {folder.path() / ".", folder.path() / "sub" / "..", folder.path() / "link"}) {
    SCOPED_TRACE(spelling.string());
    EXPECT_EQ(FolderHold::take(spelling, 0ms).state(), State::busy);
  }
  // Another folder, even one inside it, is not held.
  EXPECT_EQ(FolderHold::take(folder / "sub", 0ms).state(), State::held);
}

TEST(FolderHold, AWaitingTakeGetsTheFolderWhenItsHolderLetsGo) {
  TempFolder folder;
  FolderHold holder = FolderHold::take(folder.path(), 0ms);
  ASSERT_EQ(holder.state(), State::held);
  std::thread letting_go([&] {
    std::this_thread::sleep_for(100ms);
    holder = FolderHold();
  });
  const FolderHold waiter = FolderHold::take(folder.path(), 30s);
  letting_go.join();
  EXPECT_EQ(waiter.state(), State::held);
}

TEST(FolderHold, WhatIsNoFolderCannotBeHeld) {
  TempFolder folder;
  write_file(folder / "file", "x");
  EXPECT_EQ(FolderHold::take(folder / "missing", 0ms).state(), State::unavailable);
  EXPECT_EQ(FolderHold::take(folder / "file", 0ms).state(), State::unavailable);
  EXPECT_EQ(FolderHold().state(), State::unavailable);
}

}  // namespace
}  // namespace scenario
