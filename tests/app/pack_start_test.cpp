#include "app/pack_start.h"

#include <gtest/gtest.h>

#include "app/exit_status.h"
#include "app/form_load.h"
#include "payload/payload_format.h"
#include "support/test_support.h"

namespace scenario {
namespace {

using testing::FakePlatform;
using testing::file_names;
using testing::read_file;
using testing::TempFolder;

std::string shipped_block() { return encode_payload(embedded_scenario()).value(); }

TEST(CarriedScenario, RunsAWholeBlockAsThePackWithTheSameScenario) {
  TempFolder carried_folder;
  FakePlatform carried(carried_folder.path());
  EXPECT_EQ(run_carried_scenario(carried, shipped_block()), kExitSuccess);

  TempFolder built_in_folder;
  FakePlatform built_in(built_in_folder.path());
  ASSERT_EQ(Form_Load(built_in, embedded_scenario()), kExitSuccess);

  EXPECT_EQ(carried.captions, std::vector<std::string>{"Attendere"});
  const auto names = file_names(built_in_folder.path());
  ASSERT_EQ(file_names(carried_folder.path()), names);
  for (const std::string& name : names) {
    EXPECT_EQ(read_file(carried_folder / name), read_file(built_in_folder / name)) << name;
  }
}

TEST(CarriedScenario, ADamagedBlockIsReportedAndNothingIsShownOrWritten) {
  const std::string good = shipped_block();
  std::string altered = good;
  altered[kPayloadHeaderSize + 100] ^= 0x20;  // one byte of the route text
  const struct {
    const char* what;
    FileResult<std::string> carried;
    const char* said;
  } cases[] = {
      {"one byte changed", altered, "checksum does not match"},
      {"cut short", good.substr(0, good.size() - 1), "cut short"},
      {"not a block at all", std::string("MZ\x90\0", 4), "not a scenario payload"},
      {"not found in the file", FileFault{"/packs/L_1", "it carries no scenario"},
       "/packs/L_1: it carries no scenario"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    FakePlatform platform(folder.path());
    EXPECT_EQ(run_carried_scenario(platform, c.carried), kExitDamagedPayload);
    ASSERT_EQ(platform.reports.size(), 1u);
    EXPECT_NE(platform.reports[0].find(c.said), std::string::npos) << platform.reports[0];
    EXPECT_NE(platform.reports[0].find("nothing was written"), std::string::npos);
    EXPECT_TRUE(platform.notes.empty());
    EXPECT_TRUE(platform.captions.empty());
    EXPECT_TRUE(platform.error_boxes.empty());
    EXPECT_TRUE(file_names(folder.path()).empty());
  }
}

}  // namespace
}  // namespace scenario
