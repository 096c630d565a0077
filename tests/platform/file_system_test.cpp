#include "platform/file_system.h"
#include "platform/disk_folder.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace scenario {
namespace {

using testing::file_names;
using testing::read_file;
using testing::TempFolder;
using testing::write_file;

FileSink::Fill writing(std::string bytes) {
  return [bytes = std::move(bytes)](ByteWriter& out) { out.text(bytes); };
}

TEST(ReplaceFile, CreatesAMissingFile) {
  TempFolder folder;
  EXPECT_TRUE(replace_file(folder / "a.dat", writing(std::string("ab\0c", 4))).ok());
  EXPECT_EQ(read_file(folder / "a.dat"), std::string("ab\0c", 4));
  EXPECT_EQ(file_names(folder.path()), std::vector<std::string>{"a.dat"});
}

TEST(ReplaceFile, LeavesNothingOfALongerOlderFile) {
  TempFolder folder;
  write_file(folder / "a.dat", std::string(1000, 'x'));
  EXPECT_TRUE(replace_file(folder / "a.dat", writing("short")).ok());
  EXPECT_EQ(read_file(folder / "a.dat"), "short");
  EXPECT_EQ(file_names(folder.path()), std::vector<std::string>{"a.dat"});
}

TEST(ReplaceFile, WritesAnEmptyFile) {
  TempFolder folder;
  write_file(folder / "a.txt", "old");
  EXPECT_TRUE(replace_file(folder / "a.txt", writing("")).ok());
  EXPECT_EQ(read_file(folder / "a.txt"), "");
}

TEST(ReplaceFile, WritesFilesOfAnyLengthAroundTheBufferSizeExactly) {
  TempFolder folder;
  for (std::size_t size : {kWriteBufferBytes - 1, kWriteBufferBytes, kWriteBufferBytes + 1,
                           3 * kWriteBufferBytes + 5}) {
    SCOPED_TRACE(size);
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i % 253);
    // In pieces that do not line up with the buffer, as the writers produce them.
    ASSERT_TRUE(replace_file(folder / "a.dat", [&](ByteWriter& out) {
                  for (std::size_t at = 0; at < size; at += 1000) {
                    out.text(std::string_view(bytes).substr(at, 1000));
                  }
                }).ok());
    EXPECT_EQ(read_file(folder / "a.dat"), bytes);
  }
}

TEST(ReplaceFile, KeepsThePreviousFileWhenTheWriterFails) {
  TempFolder folder;
  write_file(folder / "a.dat", "previous");
  const FileResult<> written = replace_file(folder / "a.dat", [](ByteWriter& out) {
    out.text(std::string(3 * kWriteBufferBytes, 'n'));  // some of it already on disk
    out.fail(FileFault{"source.dat", "cannot read"});
  });
  ASSERT_FALSE(written.ok());
  EXPECT_EQ(written.fault().path, "source.dat");
  EXPECT_EQ(read_file(folder / "a.dat"), "previous");
  EXPECT_EQ(file_names(folder.path()), std::vector<std::string>{"a.dat"});
}

TEST(ReplaceFile, ReportsATargetTakenByAFolderAndLeavesNoTemporaryFile) {
  TempFolder folder;
  std::filesystem::create_directory(folder / "a.dat");
  write_file(folder / "a.dat" / "inside", "kept");
  const FileResult<> written = replace_file(folder / "a.dat", writing("new"));
  ASSERT_FALSE(written.ok());
  EXPECT_EQ(written.fault().path, folder / "a.dat");
  EXPECT_FALSE(written.fault().reason.empty());
  EXPECT_NE(written.fault().describe().find("a.dat"), std::string::npos);
  EXPECT_EQ(read_file(folder / "a.dat" / "inside"), "kept");
  EXPECT_EQ(file_names(folder.path()), std::vector<std::string>{"a.dat"});
}

// A folder the run may not write into: by its permissions, or, for root, whom permissions do not
// stop, on a file system mounted read-only for the test.
class ReadOnlyFolder {
 public:
  explicit ReadOnlyFolder(const std::filesystem::path& folder) : folder_(folder) {}
  ~ReadOnlyFolder() {
    if (mounted_) {
      ::umount(folder_.c_str());
    } else {
      std::filesystem::permissions(folder_, std::filesystem::perms::owner_all);
    }
  }
  // Holds `name` with `bytes` in the folder and makes it read-only; the system's reason when
  // it cannot.
  std::optional<std::string> make(const std::string& name, const std::string& bytes) {
    if (geteuid() != 0) {
      write_file(folder_ / name, bytes);
      std::filesystem::permissions(
          folder_, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
      return std::nullopt;
    }
    if (::mount("tmpfs", folder_.c_str(), "tmpfs", 0, "size=65536") != 0) {
      return std::string("cannot mount a file system for root: ") + std::strerror(errno);
    }
    mounted_ = true;
    write_file(folder_ / name, bytes);
    if (::mount(nullptr, folder_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0) {
      return std::string("cannot make it read-only: ") + std::strerror(errno);
    }
    return std::nullopt;
  }

 private:
  std::filesystem::path folder_;
  bool mounted_ = false;
};

TEST(ReplaceFile, ReportsAReadOnlyFolderAndKeepsThePreviousFile) {
  TempFolder folder;
  const std::filesystem::path read_only = folder / "read-only";
  std::filesystem::create_directories(read_only);
  FileResult<> written;
  {
    ReadOnlyFolder guard(read_only);
    if (const auto refused = guard.make("a.dat", "previous")) GTEST_SKIP() << *refused;
    written = replace_file(read_only / "a.dat", writing("new"));
    EXPECT_EQ(read_file(read_only / "a.dat"), "previous");
    EXPECT_EQ(file_names(read_only), std::vector<std::string>{"a.dat"});
  }
  ASSERT_FALSE(written.ok());
  EXPECT_EQ(written.fault().path, read_only / "a.dat");
  EXPECT_FALSE(written.fault().reason.empty());
}

TEST(ReplaceFile, ReportsARenameThatFailsAfterTheBytesWereWritten) {
  // The folder goes away while the file is being written: every write still succeeds, the
  // rename cannot.
  TempFolder folder;
  const std::filesystem::path gone = folder / "gone";
  std::filesystem::create_directory(gone);
  const FileResult<> written = replace_file(gone / "a.dat", [&](ByteWriter& out) {
    std::filesystem::remove_all(gone);
    out.text("bytes");
  });
  ASSERT_FALSE(written.ok());
  EXPECT_EQ(written.fault().path, gone / "a.dat");
  EXPECT_TRUE(file_names(folder.path()).empty());
}

TEST(DiskFolder, ReplacesTheNamedFileInItsFolderFlushedOrNot) {
  for (Flush flush : {Flush::to_disk, Flush::not_needed}) {
    SCOPED_TRACE(flush == Flush::to_disk ? "to disk" : "not needed");
    TempFolder folder;
    DiskFolder sink(folder.path(), flush);
    write_file(folder / "Alpha_123.sim", "older and longer");
    EXPECT_TRUE(sink.replace("Alpha_123.sim", writing("new")).ok());
    EXPECT_EQ(read_file(folder / "Alpha_123.sim"), "new");
    EXPECT_EQ(file_names(folder.path()), std::vector<std::string>{"Alpha_123.sim"});
    EXPECT_EQ(sink.folder(), folder.path());
  }
}

// A run killed before its rename leaves ".NAME.PID.N.tmp" beside NAME; a sink that may clear
// them takes only those, never another file's or a look-alike.
TEST(DiskFolder, ClearsTheTemporaryFilesKilledRunsLeftOfItsFileWhenAsked) {
  const std::vector<std::string> kept = {
      ".Alpha_123.sim.12.x.tmp",  ".Alpha_123.sim.12.0.tmp.keep", ".Alpha_123.sim..0.tmp",
      ".Alpha_123.simx.12.0.tmp", ".Alpha_123.dat.12.0.tmp",      "Alpha_123.sim.12.0.tmp",
  };
  for (const Abandoned abandoned : {Abandoned::keep, Abandoned::remove}) {
    SCOPED_TRACE(abandoned == Abandoned::keep ? "keep" : "remove");
    TempFolder folder;
    for (const std::string& name : kept) write_file(folder / name, "x");
    write_file(folder / ".Alpha_123.sim.4127.0.tmp", "torn");
    write_file(folder / ".Alpha_123.sim.77.3.tmp", "torn");
    DiskFolder sink(folder.path(), Flush::not_needed, abandoned);
    ASSERT_TRUE(sink.replace("Alpha_123.sim", writing("new")).ok());

    std::vector<std::string> expected = kept;
    expected.push_back("Alpha_123.sim");
    if (abandoned == Abandoned::keep) {
      expected.push_back(".Alpha_123.sim.4127.0.tmp");
      expected.push_back(".Alpha_123.sim.77.3.tmp");
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(file_names(folder.path()), expected);
  }
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
