#include "memory_folder/memory_folder.h"

#include <gtest/gtest.h>

#include <string>

namespace scenario {
namespace {

FileSink::Fill writing(std::string bytes) {
  return [bytes = std::move(bytes)](ByteWriter& out) { out.text(bytes); };
}

TEST(MemoryFolder, ReplacesAFileWholeOrNotAtAll) {
  MemoryFolder folder;
  folder.put("Alpha_123.sim", "older");
  const std::string long_file(1000, 'x');  // many fillings of the buffer
  ASSERT_TRUE(folder.replace("Alpha_123.sim", writing(long_file)).ok());
  EXPECT_EQ(folder.file("Alpha_123.sim"), long_file);

  const FileResult<> failed = folder.replace("Alpha_123.sim", [](ByteWriter& out) {
    out.text("torn");
    out.fail(FileFault{"Alpha_123.sim", "No space left on device"});
  });
  ASSERT_FALSE(failed.ok());
  EXPECT_EQ(failed.fault().reason, "No space left on device");
  EXPECT_EQ(folder.file("Alpha_123.sim"), long_file);

  folder.refuse(FolderStep::replace, "Alpha_123.dat", "Read-only file system");
  EXPECT_FALSE(folder.replace("Alpha_123.dat", writing("new")).ok());
  EXPECT_FALSE(folder.file("Alpha_123.dat").has_value());
}

TEST(MemoryFolder, ARefusalCountedInTimesEndsAndTouchesNoOtherStepOrName) {
  MemoryFolder folder;
  folder.put("route.txt", "bytes");
  folder.put("train.txt", "other");
  folder.refuse(FolderStep::remove, "route.txt", "Permission denied", 2);
  EXPECT_TRUE(folder.read("route.txt").ok());
  EXPECT_TRUE(folder.remove("train.txt").ok());
  for (int time = 0; time < 2; ++time) {
    const FileResult<> refused = folder.remove("route.txt");
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.fault().describe(), "route.txt: Permission denied");
    EXPECT_TRUE(folder.file("route.txt").has_value());
  }
  EXPECT_TRUE(folder.remove("route.txt").ok());
  EXPECT_TRUE(folder.files().empty());
}

TEST(MemoryFolder, AFileThatIsNotThereCannotBeOpenedButIsPassedOverByADelete) {
  MemoryFolder folder;
  const FileResult<bool> found = folder.exists("gone.txt");
  ASSERT_TRUE(found.ok());
  EXPECT_FALSE(found.value());
  const FileResult<std::string> read = folder.read("gone.txt");
  ASSERT_FALSE(read.ok());
  EXPECT_TRUE(read.fault().at_open);
  EXPECT_TRUE(folder.remove("gone.txt").ok());
}

}  // namespace
}  // namespace scenario
