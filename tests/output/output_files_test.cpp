#include "output/output_files.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "output/integrity_codes.h"
#include "platform/disk_folder.h"
#include "platform/file_system.h"
#include "straight_line.h"
#include "support/test_support.h"

namespace scenario {
namespace {

using testing::bytes;
using testing::file_names;
using testing::read_file;
using testing::straight_line_state;
using testing::TempFolder;
using testing::write_file;

constexpr const char* kProfileFile = "Alpha_linea.dat";
constexpr const char* kTableFile = "Alpha_123.sim";
constexpr const char* kCellsFile = "Alpha_123.dat";

// A 13800 m line: M = 20800 profile rows, n = 416.
constexpr std::size_t kM = 20800;
constexpr std::size_t kProfileSize = 20 * kM - 36;
constexpr std::size_t kTableSize = 87 * 34 + 5 + 3;  // slot 85 "Alpha", slot 86 "123"
constexpr std::size_t kCellsSize = 15 * 417;

class OutputFiles : public ::testing::Test {
 protected:
  OutputFiles() : state(straight_line_state(13800, 1)) {}

  std::size_t size_of(const char* name) const { return read_file(folder / name).size(); }
  FileResult<> write_into(const std::filesystem::path& where) {
    DiskFolder sink(where);
    return write_output_files(state, sink);
  }

  TempFolder folder;
  ScenarioState state;
};

TEST_F(OutputFiles, WritesTheThreeFilesOfAStampedScenario) {
  ASSERT_EQ(stamp_markers(state), FailureCode::none);
  ASSERT_TRUE(write_into(folder.path()).ok());

  EXPECT_EQ(file_names(folder.path()),
            (std::vector<std::string>{kCellsFile, kTableFile, kProfileFile}));
  EXPECT_EQ(size_of(kProfileFile), kProfileSize);
  EXPECT_EQ(size_of(kTableFile), kTableSize);
  const std::string cells = read_file(folder / kCellsFile);
  ASSERT_EQ(cells.size(), kCellsSize);
  // Cell 1 at byte 15: kind, the marker 5121 = 0x1401, then the OG code of "123alpha" (668) and
  // the first 17 filler letters (2 * 927 + 104), 2626 = 0x0A42.
  EXPECT_EQ(cells.substr(15, 5), bytes({0x00, 0x01, 0x14, 0x42, 0x0A}));
  const std::string table = read_file(folder / kTableFile);
  // Slot 85 starts after 85 empty slots: "Alpha" counted, then param7 = 610 = 0x0262.
  EXPECT_EQ(table.substr(85 * 34 + 14, 2 + 5 + 2),
            bytes({0x05, 0x00, 'A', 'l', 'p', 'h', 'a', 0x62, 0x02}));
}

TEST_F(OutputFiles, LeaveTheProfileAloneWhenItIsNotBuilt) {
  state = straight_line_state(13800, 0);
  ASSERT_TRUE(write_into(folder.path()).ok());
  EXPECT_EQ(file_names(folder.path()), (std::vector<std::string>{kCellsFile, kTableFile}));

  // An older profile is neither replaced nor deleted.
  write_file(folder / kProfileFile, "older profile");
  ASSERT_TRUE(write_into(folder.path()).ok());
  EXPECT_EQ(read_file(folder / kProfileFile), "older profile");
}

TEST_F(OutputFiles, ReplaceOlderLongerFilesExactly) {
  for (const char* name : {kProfileFile, kTableFile, kCellsFile}) {
    write_file(folder / name, std::string(kProfileSize + 1000, 'x'));
  }
  ASSERT_TRUE(write_into(folder.path()).ok());
  EXPECT_EQ(size_of(kProfileFile), kProfileSize);
  EXPECT_EQ(size_of(kTableFile), kTableSize);
  EXPECT_EQ(size_of(kCellsFile), kCellsSize);
  EXPECT_EQ(read_file(folder / kCellsFile), std::string(kCellsSize, '\0'));
}

TEST_F(OutputFiles, StopAtTheFirstFileThatCannotBeWritten) {
  struct Case {
    const char* blocked;
    // Files written afresh before the blocked one; the ones after it keep their old content.
    std::vector<const char*> written;
    std::vector<const char*> untouched;
  };
  const std::vector<Case> cases = {
      {kProfileFile, {}, {kTableFile, kCellsFile}},
      {kTableFile, {kProfileFile}, {kCellsFile}},
      {kCellsFile, {kProfileFile, kTableFile}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.blocked);
    TempFolder run_folder;
    for (const char* name : {kProfileFile, kTableFile, kCellsFile}) {
      if (name != c.blocked) write_file(run_folder / name, "previous");
    }
    // A folder has taken the place of the file.
    std::filesystem::create_directory(run_folder / c.blocked);
    write_file(run_folder / c.blocked / "inside", "kept");

    const FileResult<> written = write_into(run_folder.path());

    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.fault().path, run_folder / c.blocked);
    EXPECT_EQ(read_file(run_folder / c.blocked / "inside"), "kept");
    for (const char* name : c.written) EXPECT_NE(read_file(run_folder / name), "previous") << name;
    for (const char* name : c.untouched)
      EXPECT_EQ(read_file(run_folder / name), "previous") << name;
    // No temporary file is left behind.
    EXPECT_EQ(file_names(run_folder.path()),
              (std::vector<std::string>{kCellsFile, kTableFile, kProfileFile}));
  }
}

TEST_F(OutputFiles, AskTheSinkForEachFileInOrder) {
  struct Case {
    const char* what;
    std::int32_t profile_flag;
    const char* refused;  // nullptr: every file is taken
    std::vector<std::string> asked;
    std::vector<std::string> kept;
  };
  const std::vector<Case> cases = {
      {"profile built",
       1,
       nullptr,
       {kProfileFile, kTableFile, kCellsFile},
       {kCellsFile, kTableFile, kProfileFile}},
      {"no profile", 0, nullptr, {kTableFile, kCellsFile}, {kCellsFile, kTableFile}},
      {"table refused", 1, kTableFile, {kProfileFile, kTableFile}, {kProfileFile}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    state = straight_line_state(13800, c.profile_flag);
    testing::MemorySink sink;
    if (c.refused) sink.refused.insert(c.refused);
    const FileResult<> written = write_output_files(state, sink);
    EXPECT_EQ(written.ok(), c.refused == nullptr);
    EXPECT_EQ(sink.replaced, c.asked);
    std::vector<std::string> kept;
    for (const auto& [name, content] : sink.files) kept.push_back(name);
    EXPECT_EQ(kept, c.kept);
    if (c.profile_flag != 0) {
      EXPECT_EQ(sink.files[kProfileFile].size(), kProfileSize);
    }
  }
}

}  // namespace
}  // namespace scenario
