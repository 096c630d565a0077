#include "platform/file_system.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "support/test_support.h"

namespace scenario {
namespace {

using testing::file_names;
using testing::read_file;
using testing::TempFolder;
using testing::write_file;

TEST(ReplaceFile, CreatesAMissingFile) {
  TempFolder folder;
  EXPECT_FALSE(replace_file(folder / "a.dat", std::string("ab\0c", 4)).has_value());
  EXPECT_EQ(read_file(folder / "a.dat"), std::string("ab\0c", 4));
  EXPECT_EQ(file_names(folder.path()), std::vector<std::string>{"a.dat"});
}

TEST(ReplaceFile, LeavesNothingOfALongerOlderFile) {
  TempFolder folder;
  write_file(folder / "a.dat", std::string(1000, 'x'));
  EXPECT_FALSE(replace_file(folder / "a.dat", "short").has_value());
  EXPECT_EQ(read_file(folder / "a.dat"), "short");
  EXPECT_EQ(file_names(folder.path()), std::vector<std::string>{"a.dat"});
}

TEST(ReplaceFile, WritesAnEmptyFile) {
  TempFolder folder;
  write_file(folder / "a.txt", "old");
  EXPECT_FALSE(replace_file(folder / "a.txt", "").has_value());
  EXPECT_EQ(read_file(folder / "a.txt"), "");
}

TEST(ReplaceFile, ReportsATargetTakenByAFolderAndLeavesNoTemporaryFile) {
  TempFolder folder;
  std::filesystem::create_directory(folder / "a.dat");
  write_file(folder / "a.dat" / "inside", "kept");
  const auto fault = replace_file(folder / "a.dat", "new");
  ASSERT_TRUE(fault.has_value());
  EXPECT_EQ(fault->path, folder / "a.dat");
  EXPECT_FALSE(fault->reason.empty());
  EXPECT_NE(fault->describe().find("a.dat"), std::string::npos);
  EXPECT_EQ(read_file(folder / "a.dat" / "inside"), "kept");
  EXPECT_EQ(file_names(folder.path()), std::vector<std::string>{"a.dat"});
}

TEST(ReplaceFile, ReportsAReadOnlyFolderAndKeepsThePreviousFile) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  TempFolder folder;
  write_file(folder / "a.dat", "previous");
  std::filesystem::permissions(
      folder.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  const auto fault = replace_file(folder / "a.dat", "new");
  std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_all);
  ASSERT_TRUE(fault.has_value());
  EXPECT_EQ(read_file(folder / "a.dat"), "previous");
  EXPECT_EQ(file_names(folder.path()), std::vector<std::string>{"a.dat"});
}

TEST(PathIn, JoinsFolderAndSingleByteName) {
  EXPECT_EQ(path_in("/x/y", "Vallombra Marina_Scogliera_linea.txt"),
            std::filesystem::path("/x/y/Vallombra Marina_Scogliera_linea.txt"));
}

TEST(PathIn, GivesTheFileSystemTheNameInUtf8) {
  // "Città" held as code page 1252 (à is 0xE0) is "Citt\xC3\xA0" on disk.
  EXPECT_EQ(path_in("/x", "Citt\xE0_linea.txt").string(), "/x/Citt\xC3\xA0_linea.txt");
}

}  // namespace
}  // namespace scenario
