#include "file_moves.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/file_system.h"
#include "support/test_support.h"

namespace scenario::tool {
namespace {

using scenario::testing::read_file;
using scenario::testing::TempFolder;
using scenario::testing::write_file;

TEST(MoveFile, ReplacesAnOlderLongerFile) {
  TempFolder folder;
  write_file(folder / "new", "short");
  write_file(folder / "old", std::string(1000, 'x'));
  EXPECT_TRUE(move_file(folder / "new", folder / "old").ok());
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
  // Short, longer than one read, and longer than several fillings of the write buffer.
  for (std::size_t size : {std::size_t{7}, std::size_t{40000}, 3 * kWriteBufferBytes + 17}) {
    SCOPED_TRACE(size);
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i % 241);
    write_file(from, bytes);
    write_file(folder / "target", std::string(size + 100, 'o'));

    EXPECT_TRUE(move_file(from, folder / "target").ok());

    EXPECT_EQ(read_file(folder / "target"), bytes);
    EXPECT_FALSE(std::filesystem::exists(from));
    std::filesystem::remove(from);
  }
}

TEST(MoveFile, NamesTheTargetWhenItCannotBeReplaced) {
  TempFolder folder;
  write_file(folder / "new", "bytes");
  std::filesystem::create_directories(folder / "taken" / "inside");
  const FileResult<> moved = move_file(folder / "new", folder / "taken");
  ASSERT_FALSE(moved.ok());
  EXPECT_EQ(moved.fault().path, folder / "taken");
  EXPECT_TRUE(std::filesystem::exists(folder / "new"));
}

TEST(ReadWholeFile, ReadsEveryByteAndNamesAFolder) {
  TempFolder folder;
  const std::string bytes("a\0b\r\n\xff", 6);
  write_file(folder / "file", bytes);
  EXPECT_EQ(read_whole_file(folder / "file").value(), bytes);
  EXPECT_FALSE(read_whole_file(folder.path()).ok());
  EXPECT_FALSE(read_whole_file(folder / "missing").ok());
}

TEST(MoveOutputs, MovesEachNamedFileAndCallsAMissingOneAFault) {
  struct Case {
    const char* what;
    std::vector<std::string> present;
    std::vector<std::string> moved;
    const char* missing;  // nullptr: every name was there
  };
  const Case cases[] = {
      {"all there",
       {"L_linea.dat", "L_T.sim", "L_T.dat"},
       {"L_linea.dat", "L_T.sim", "L_T.dat"},
       nullptr},
      {"the table missing", {"L_linea.dat", "L_T.dat"}, {"L_linea.dat"}, "L_T.sim"},
      {"nothing written", {}, {}, "L_linea.dat"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder working;
    TempFolder out;
    for (const std::string& name : c.present) write_file(working / name, name);
    std::vector<std::string> moved;
    const FileResult<> done =
        move_outputs(working.path(), {"L_linea.dat", "L_T.sim", "L_T.dat"}, out.path(), moved);
    EXPECT_EQ(moved, c.moved);
    EXPECT_EQ(scenario::testing::file_names(out.path()).size(), c.moved.size());
    if (c.missing) {
      ASSERT_FALSE(done.ok());
      EXPECT_EQ(done.fault().path, working / c.missing);
    } else {
      EXPECT_TRUE(done.ok());
      EXPECT_EQ(read_file(out / "L_T.sim"), "L_T.sim");
    }
  }
}

}  // namespace
}  // namespace scenario::tool
