// A disk that is really full: a small memory file system mounted for the test (which needs the
// right to mount; without it the test is skipped and says why). The pack and `scenario compile`
// must end with status 74 naming the file and the system's reason, keep the old version of
// every output and leave no temporary file on the full disk.
#include <gtest/gtest.h>
#include <sys/mount.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "faults/child_run.h"
#include "model/file_fault.h"
#include "support/test_support.h"

namespace scenario::testing {
namespace {

namespace fs = std::filesystem;

const std::string kLine = "Vallombra Marina_Scogliera";

class FullDisk : public ::testing::Test {
 protected:
  // Mounts a file system of `bytes` on disk_; false (and the reason) when the system refuses.
  bool mount_disk(std::uintmax_t bytes, std::string& refused) {
    fs::create_directories(disk_);
    const std::string options = "size=" + std::to_string(bytes);
    if (::mount("tmpfs", disk_.c_str(), "tmpfs", 0, options.c_str()) != 0) {
      refused = std::strerror(errno);
      return false;
    }
    mounted_ = true;
    return true;
  }
  void TearDown() override {
    if (mounted_) ::umount(disk_.c_str());
  }

  // Names in a folder that are not one of `outputs` (a temporary file, a stray text file).
  static std::vector<std::string> others_in(const fs::path& folder,
                                            const std::vector<std::string>& outputs,
                                            const std::string& also_allowed) {
    std::vector<std::string> others;
    for (const std::string& name : file_names(folder)) {
      if (name != also_allowed && std::find(outputs.begin(), outputs.end(), name) == outputs.end())
        others.push_back(name);
    }
    return others;
  }

  TempFolder folder_;
  const fs::path disk_ = folder_ / "disk";
  bool mounted_ = false;
  const std::vector<std::string> binaries_ = {kLine + "_linea.dat", kLine + "_4127.sim",
                                              kLine + "_4127.dat"};
};

TEST_F(FullDisk, PackKeepsEveryOldFileAndLeavesNoTemporary) {
  const std::uintmax_t pack_size = fs::file_size(SCENARIO_PACK);
  std::string refused;
  // Room for the pack and its text files, not for the line profile (hundreds of KiB).
  if (!mount_disk(pack_size + 64 * 1024, refused)) {
    GTEST_SKIP() << "cannot mount a small file system here (" << refused
                 << "); the full disk is only simulated by the fault tests";
  }
  const fs::path pack = disk_ / fs::path(SCENARIO_PACK).filename();
  fs::copy_file(SCENARIO_PACK, pack);
  for (const std::string& name : binaries_) write_file(disk_ / name, "old " + name);

  const ChildEnd end = run_child({pack.string()}, disk_, {});
  ASSERT_EQ(end.signal, 0) << end.err;
  EXPECT_EQ(end.status, 74) << end.err;
  EXPECT_NE(end.err.find("Cannot write " + path_text(disk_ / binaries_[0]) + ": " +
                         std::strerror(ENOSPC)),
            std::string::npos)
      << end.err;
  for (const std::string& name : binaries_) EXPECT_EQ(read_file(disk_ / name), "old " + name);
  const std::vector<std::string> texts = {kLine + "_4127_note.txt",
                                          kLine + "_4127_rallentamenti.txt",
                                          kLine + "_4127_scheda_treno.txt"};
  std::vector<std::string> expected = binaries_;
  expected.insert(expected.end(), texts.begin(), texts.end());
  EXPECT_EQ(others_in(disk_, expected, pack.filename().string()), std::vector<std::string>{});
}

TEST_F(FullDisk, CompileKeepsEveryOldFileAndLeavesNoTemporary) {
  std::string refused;
  if (!mount_disk(64 * 1024, refused)) {
    GTEST_SKIP() << "cannot mount a small file system here (" << refused
                 << "); the full disk is only simulated by the fault tests";
  }
  for (const std::string& name : binaries_) write_file(disk_ / name, "old " + name);
  fs::create_directories(folder_ / "tmp");

  const ChildEnd end =
      run_child({SCENARIO_TOOL, "compile", "--route", SCENARIO_ROUTE, "--train", SCENARIO_TRAIN,
                 "--line", kLine, "--number", "4127", "--out", disk_.string()},
                folder_.path(), {{"TMPDIR", (folder_ / "tmp").string()}});
  ASSERT_EQ(end.signal, 0) << end.err;
  EXPECT_EQ(end.status, 74) << end.err;
  EXPECT_NE(end.err.find("scenario: cannot go on: " + path_text(disk_ / binaries_[0]) + ": " +
                         std::strerror(ENOSPC)),
            std::string::npos)
      << end.err;
  for (const std::string& name : binaries_) EXPECT_EQ(read_file(disk_ / name), "old " + name);
  EXPECT_EQ(others_in(disk_, binaries_, ""), std::vector<std::string>{});
  EXPECT_EQ(file_names(folder_ / "tmp"), std::vector<std::string>{}) << "working folder left";
}

}  // namespace
}  // namespace scenario::testing
