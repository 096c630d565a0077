#include "parse/text_files.h"

#include <gtest/gtest.h>

#include <string>

#include "parse/read_fault.h"
#include "support/test_support.h"

namespace scenario {
namespace {

using testing::TempFolder;
using testing::write_file;

TEST(RemoveTextFile, PassesOverAFileAlreadyGoneAndReportsAnyOtherFailure) {
  TempFolder folder;
  write_file(folder / "route.txt", "[generale]");
  EXPECT_TRUE(remove_text_file(folder / "route.txt").ok());
  EXPECT_FALSE(std::filesystem::exists(folder / "route.txt"));
  EXPECT_TRUE(remove_text_file(folder / "route.txt").ok());  // already gone

  // A folder with something in it cannot be deleted as a file, whoever runs the test.
  std::filesystem::create_directory(folder / "train.txt");
  write_file(folder / "train.txt" / "inside", "x");
  const FileResult<> refused = remove_text_file(folder / "train.txt");
  ASSERT_FALSE(refused.ok());
  EXPECT_EQ(refused.fault().path, folder / "train.txt");
  EXPECT_FALSE(refused.fault().reason.empty());
  EXPECT_TRUE(std::filesystem::exists(folder / "train.txt" / "inside"));
}

TEST(RemoveTextFile, OrFaultTurnsTheFailureIntoAReadFaultOfTheFile) {
  TempFolder folder;
  remove_text_file_or_fault(folder / "missing.txt");
  std::filesystem::create_directory(folder / "train.txt");
  write_file(folder / "train.txt" / "inside", "x");
  try {
    remove_text_file_or_fault(folder / "train.txt");
    FAIL() << "a folder with a file in it was deleted";
  } catch (const ReadFault& fault) {
    EXPECT_TRUE(fault.about_file());
    EXPECT_EQ(std::string(fault.what()), "cannot delete");
    EXPECT_FALSE(fault.reason().empty());
    EXPECT_EQ(fault.line(), 0);
  }
}

TEST(TextFileExists, TellsALookupFailureFromAMissingFile) {
  TempFolder folder;
  write_file(folder / "route.txt", "");
  const FileResult<bool> present = text_file_exists(folder / "route.txt");
  ASSERT_TRUE(present.ok());
  EXPECT_TRUE(present.value());
  const FileResult<bool> missing = text_file_exists(folder / "train.txt");
  ASSERT_TRUE(missing.ok());
  EXPECT_FALSE(missing.value());
  // A name longer than the system takes says nothing about whether such a file exists.
  const FileResult<bool> refused = text_file_exists(folder / std::string(300, 'x'));
  ASSERT_FALSE(refused.ok());
  EXPECT_FALSE(refused.fault().reason.empty());
}

}  // namespace
}  // namespace scenario
