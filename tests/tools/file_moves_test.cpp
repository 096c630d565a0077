#include "file_moves.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/test_support.h"

namespace scenario::tool {
namespace {

using scenario::testing::read_file;
using scenario::testing::TempFolder;
using scenario::testing::write_file;

TEST(ReadScenarioText, TakesUpTo64MiBAndRefusesMoreUnread) {
  struct Case {
    std::uintmax_t size;
    bool refused;
  };
  // Files of these sizes are made sparse, so that none costs the disk anything.
  for (const Case c : {Case{0, false}, Case{kLargestScenarioText, false},
                       Case{kLargestScenarioText + 1, true}, Case{std::uintmax_t{1} << 40, true}}) {
    SCOPED_TRACE(c.size);
    TempFolder folder;
    write_file(folder / "route.txt", "");
    std::filesystem::resize_file(folder / "route.txt", c.size);
    const auto read = read_scenario_text(folder / "route.txt");
    if (c.refused) {
      ASSERT_TRUE(std::holds_alternative<FileFault>(read));
      EXPECT_EQ(std::get<FileFault>(read).describe(),
                path_text(folder / "route.txt") + ": is " + std::to_string(c.size) +
                    " bytes long, larger than a scenario text file may be (64 MiB)");
    } else {
      ASSERT_TRUE(std::holds_alternative<std::string>(read));
      EXPECT_EQ(std::get<std::string>(read).size(), c.size);
    }
  }
}

TEST(MoveFile, ReplacesAnOlderLongerFile) {
  TempFolder folder;
  write_file(folder / "new", "short");
  write_file(folder / "old", std::string(1000, 'x'));
  EXPECT_FALSE(move_file(folder / "new", folder / "old"));
  EXPECT_EQ(read_file(folder / "old"), "short");
  EXPECT_FALSE(std::filesystem::exists(folder / "new"));
}

TEST(MoveFile, CopiesAndRemovesAcrossFileSystems) {
  // /dev/shm is a memory file system on most Linux machines, apart from the temporary folder.
  const std::filesystem::path other = "/dev/shm";
  TempFolder folder;
  struct stat here {};
  struct stat there {};
  if (::stat(folder.path().c_str(), &here) != 0 || ::stat(other.c_str(), &there) != 0 ||
      here.st_dev == there.st_dev) {
    GTEST_SKIP() << "no second file system to move across";
  }
  const std::filesystem::path from = other / ("scenario-move-test-" + std::to_string(::getpid()));
  write_file(from, "bytes\r\n");
  write_file(folder / "target", "an older and longer file");

  EXPECT_FALSE(move_file(from, folder / "target"));

  EXPECT_EQ(read_file(folder / "target"), "bytes\r\n");
  EXPECT_FALSE(std::filesystem::exists(from));
  std::filesystem::remove(from);
}

TEST(MoveFile, NamesTheTargetWhenItCannotBeReplaced) {
  TempFolder folder;
  write_file(folder / "new", "bytes");
  std::filesystem::create_directories(folder / "taken" / "inside");
  const auto fault = move_file(folder / "new", folder / "taken");
  ASSERT_TRUE(fault);
  EXPECT_EQ(fault->path, folder / "taken");
  EXPECT_TRUE(std::filesystem::exists(folder / "new"));
}

TEST(ReadWholeFile, ReadsEveryByteAndNamesAFolder) {
  TempFolder folder;
  const std::string bytes("a\0b\r\n\xff", 6);
  write_file(folder / "file", bytes);
  EXPECT_EQ(std::get<std::string>(read_whole_file(folder / "file")), bytes);
  EXPECT_TRUE(std::holds_alternative<FileFault>(read_whole_file(folder.path())));
  EXPECT_TRUE(std::holds_alternative<FileFault>(read_whole_file(folder / "missing")));
}

}  // namespace
}  // namespace scenario::tool
