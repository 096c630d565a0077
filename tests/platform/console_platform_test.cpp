#include "platform/console_platform.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace scenario {
namespace {

TEST(FolderStartedFrom, IsTheNamesFolderOrAFaultNeverAnEmptyPath) {
  const std::filesystem::path here = std::filesystem::current_path();
  struct Case {
    const char* started_as;
    bool known;
    std::filesystem::path folder;
  };
  const Case cases[] = {
      {"/opt/packs/Alpha_123", true, "/opt/packs"},
      {"packs/Alpha_123", true, here / "packs"},
      {"./Alpha_123", true, here / "."},
      {"Alpha_123", false, {}},  // found on the search path: no folder in the name
      {"", false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.started_as);
    const FileResult<std::filesystem::path> folder = folder_started_from(c.started_as);
    ASSERT_EQ(folder.ok(), c.known);
    if (c.known) {
      EXPECT_EQ(folder.value(), c.folder);
    } else {
      EXPECT_FALSE(folder.fault().reason.empty());
    }
  }
}

TEST(ConsolePlatform, FindsTheFolderOfTheRunningProgramWhateverItWasStartedAs) {
  ConsolePlatform platform("");
  const FileResult<std::filesystem::path> folder = platform.program_folder();
  ASSERT_TRUE(folder.ok());
  EXPECT_TRUE(std::filesystem::is_directory(folder.value()));
  EXPECT_TRUE(folder.value().is_absolute());
}

}  // namespace
}  // namespace scenario
