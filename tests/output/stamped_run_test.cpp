#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "app/memorizza_percorso.h"
#include "model/file_names.h"
#include "platform/disk_folder.h"
#include "platform/file_system.h"
#include "straight_line.h"
#include "support/test_support.h"

namespace scenario {
namespace {

using testing::bytes;
using testing::FakePlatform;
using testing::file_names;
using testing::read_file;
using testing::TempFolder;
using testing::write_file;

// The whole compile-and-write step on a 1000 m straight line whose only feature is one
// direction board, read from the program's folder.
class StampedRun : public ::testing::Test {
 protected:
  StampedRun() : platform(folder.path()) {
    state.line_name = "Alpha";
    state.train_number = "123";
  }

  RunOutcome run_with_board_at(std::string_view position) {
    DiskFolder files(folder.path());
    write_file(folder / route_text_name(state),
               "[generale]\r\nlunghezza percorso, 1000\r\n[indicazioni]\r\ncartello_indicatore, " +
                   std::string(position) + ", (BIVIO)\r\n[fine]\r\n");
    write_file(folder / train_text_name(state), "");
    const auto run = memorizza_percorso(state, 1, platform, files);
    if (!run) {
      ADD_FAILURE() << run.fault().describe();
      return {};
    }
    return run.value();
  }

  bool has_binary_file() const {
    for (const std::string& name : file_names(folder.path())) {
      if (name.ends_with(".dat") || name.ends_with(".sim")) return true;
    }
    return false;
  }

  TempFolder folder;
  FakePlatform platform;
  ScenarioState state;
};

TEST_F(StampedRun, DirectionBoardAtZeroStopsTheRunWith1250BeforeAnyBinaryFile) {
  // A board at 0 m lands in cell 0 / 50 + 1 = 1 and points its value1 at slot 80.
  const RunOutcome outcome = run_with_board_at("0");

  EXPECT_EQ(outcome.kind, RunOutcome::Kind::stopped_by_error_box);
  EXPECT_EQ(code_number(outcome.fatal_error), 1250);
  EXPECT_EQ(platform.error_boxes, std::vector<std::string>{" Errore n. 1250"});
  EXPECT_FALSE(has_binary_file());
}

TEST_F(StampedRun, WritesTheStampedFilesWhenCell1IsFree) {
  const RunOutcome outcome = run_with_board_at("1000");

  ASSERT_EQ(outcome.kind, RunOutcome::Kind::files_written);
  EXPECT_TRUE(platform.error_boxes.empty());
  // M = 1000 + 7000 rows of profile, the last two never reached; n = 8000 / 50 = 160 cells.
  constexpr std::size_t kM = 8000;
  EXPECT_EQ(read_file(folder / profile_file_name(state)).size(), 20 * kM - 36);
  // Names: "(BIVIO)" in slot 80, "Alpha" in slot 85, "123" in slot 86.
  EXPECT_EQ(read_file(folder / table_file_name(state)).size(), 87u * 34u + 7u + 5u + 3u);
  const std::string cells = read_file(folder / cells_file_name(state));
  ASSERT_EQ(cells.size(), 15u * 161u);
  // Cell 1: marker 5121 and the OG code of "123alpha" and 17 filler letters, 2626 = 0x0A42.
  EXPECT_EQ(cells.substr(16, 4), bytes({0x01, 0x14, 0x42, 0x0A}));
}

}  // namespace
}  // namespace scenario
