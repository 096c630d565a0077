#include "platform/disk_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/test_support.h"

namespace scenario {
namespace {

using testing::TempFolder;
using testing::write_file;

TEST(DiskFolder, TellsALookupFailureFromAMissingFile) {
  TempFolder folder;
  DiskFolder disk(folder.path());
  write_file(folder / "route.txt", "");
  const FileResult<bool> present = disk.exists("route.txt");
  ASSERT_TRUE(present.ok());
  EXPECT_TRUE(present.value());
  const FileResult<bool> missing = disk.exists("train.txt");
  ASSERT_TRUE(missing.ok());
  EXPECT_FALSE(missing.value());
  // A name longer than the system takes says nothing about whether such a file exists.
  const FileResult<bool> refused = disk.exists(std::string(300, 'x'));
  ASSERT_FALSE(refused.ok());
  EXPECT_EQ(refused.fault().path, folder / std::string(300, 'x'));
  EXPECT_FALSE(refused.fault().reason.empty());
}

TEST(DiskFolder, ReadsEveryByteOfAFileNamedInCodePage1252) {
  TempFolder folder;
  DiskFolder disk(folder.path());
  const std::string bytes("[generale]\r\n\0\xff\r\n", 16);
  write_file(folder / "Citt\xc3\xa0_linea.txt", bytes);  // "Città" on disk is UTF-8
  const FileResult<std::string> read = disk.read("Citt\xe0_linea.txt");
  ASSERT_TRUE(read.ok()) << read.fault().describe();
  EXPECT_EQ(read.value(), bytes);
}

TEST(DiskFolder, TellsAFileThatCannotBeOpenedFromOneThatCannotBeRead) {
  TempFolder folder;
  DiskFolder disk(folder.path());
  std::filesystem::create_directory(folder / "a folder.txt");
  const struct {
    const char* name;
    bool at_open;
  } cases[] = {
      {"missing.txt", true},
      // A folder opens like a file; reading it fails.
      {"a folder.txt", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const FileResult<std::string> read = disk.read(c.name);
    ASSERT_FALSE(read.ok());
    EXPECT_EQ(read.fault().path, folder / c.name);
    EXPECT_EQ(read.fault().at_open, c.at_open);
    EXPECT_FALSE(read.fault().reason.empty());
  }
}

TEST(DiskFolder, RemovePassesOverAFileAlreadyGoneAndReportsAnyOtherFailure) {
  TempFolder folder;
  DiskFolder disk(folder.path());
  write_file(folder / "route.txt", "[generale]");
  EXPECT_TRUE(disk.remove("route.txt").ok());
  EXPECT_FALSE(std::filesystem::exists(folder / "route.txt"));
  EXPECT_TRUE(disk.remove("route.txt").ok());  // already gone

  // A folder with something in it cannot be deleted as a file, whoever runs the test.
  std::filesystem::create_directory(folder / "train.txt");
  write_file(folder / "train.txt" / "inside", "x");
  const FileResult<> refused = disk.remove("train.txt");
  ASSERT_FALSE(refused.ok());
  EXPECT_EQ(refused.fault().path, folder / "train.txt");
  EXPECT_FALSE(refused.fault().reason.empty());
  EXPECT_TRUE(std::filesystem::exists(folder / "train.txt" / "inside"));
}

}  // namespace
}  // namespace scenario
