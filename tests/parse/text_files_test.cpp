#include "parse/text_files.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "memory_folder/memory_folder.h"
#include "parse/read_fault.h"

namespace scenario {
namespace {

TEST(TextFiles, FindOpenAndDeleteAFileTheFolderHolds) {
  MemoryFolder folder;
  folder.put("route.txt", "a,b");
  EXPECT_TRUE(text_file_found(folder, "route.txt"));
  EXPECT_FALSE(text_file_found(folder, "train.txt"));
  FieldReader reader = open_text_file(folder, "route.txt", nullptr);
  EXPECT_EQ(reader.read_text(), "a");
  EXPECT_EQ(reader.read_text(), "b");
  remove_text_file_or_fault(folder, "route.txt");
  EXPECT_TRUE(folder.files().empty());
  remove_text_file_or_fault(folder, "route.txt");  // already gone: passed over
}

// A fault of the file itself names no path: the one who shows it knows which file it was.
TEST(TextFiles, EveryStepTheFolderRefusesIsAFaultOfTheFileWithTheFoldersReason) {
  struct Case {
    const char* what;
    std::optional<FolderStep> refused;  // none: the file is simply missing
    std::function<void(MemoryFolder&)> step;
    const char* action;
    const char* reason;
  };
  const std::vector<Case> cases = {
      {"a refused lookup", FolderStep::look_up,
       [](MemoryFolder& f) { static_cast<void>(text_file_found(f, "route.txt")); },
       "cannot look up", "Permission denied"},
      {"a missing file", std::nullopt,
       [](MemoryFolder& f) { static_cast<void>(open_text_file(f, "gone.txt", nullptr)); },
       "cannot open", "No such file or directory"},
      {"a refused open", FolderStep::open,
       [](MemoryFolder& f) { static_cast<void>(open_text_file(f, "route.txt", nullptr)); },
       "cannot open", "Permission denied"},
      {"a refused read", FolderStep::read,
       [](MemoryFolder& f) { static_cast<void>(open_text_file(f, "route.txt", nullptr)); },
       "cannot read", "Permission denied"},
      {"a refused delete", FolderStep::remove,
       [](MemoryFolder& f) { remove_text_file_or_fault(f, "route.txt"); }, "cannot delete",
       "Permission denied"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MemoryFolder folder;
    folder.put("route.txt", "a,b");
    if (c.refused) folder.refuse(*c.refused, "route.txt", "Permission denied");
    try {
      c.step(folder);
      FAIL() << "the step went through";
    } catch (const ReadFault& fault) {
      EXPECT_TRUE(fault.about_file());
      EXPECT_EQ(fault.text(), c.action);
      EXPECT_EQ(fault.reason(), c.reason);
      EXPECT_EQ(fault.line(), 0);
    }
    EXPECT_TRUE(folder.file("route.txt").has_value());
  }
}

}  // namespace
}  // namespace scenario
