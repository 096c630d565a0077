// The parse on a folder that refuses one of its steps: every refusal is a fault of the file,
// error 25 naming the file and what could not be done, and the failure exit still deletes
// whatever it can.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/memorizza_dati.h"
#include "memory_folder/memory_folder.h"
#include "model/file_names.h"
#include "support/test_support.h"

namespace scenario {
namespace {

using testing::crlf_lines;

// A route and a train file that compile without a failure, in a folder in memory.
struct TwoTextFiles {
  TwoTextFiles() {
    state.line_name = "Linea Prova";
    state.train_number = "7";
    state.profile_flag = 1;
    folder.put(route_name(), crlf_lines({"[generale]", "lunghezza percorso, 2000", "[curve]",
                                         "pendenza, 100, 5", "[fine]"}));
    folder.put(train_name(), crlf_lines({"[generale]", "sabbia, 2", "[fine]"}));
  }

  std::string route_name() const { return route_text_name(state); }
  std::string train_name() const { return train_text_name(state); }
  std::string name_of(TextFile file) const {
    return file == TextFile::route ? route_name() : train_name();
  }

  ScenarioState state;
  MemoryFolder folder;
};

TEST(TextFolderFaults, TheFilesAsPutCompileWithoutAFailureAndAreDeleted) {
  TwoTextFiles files;
  ASSERT_TRUE(memorizza_dati(files.state, files.folder).ok());
  EXPECT_EQ(files.state.failure.number(), 0);
  EXPECT_TRUE(files.state.cells.has_value());
  EXPECT_TRUE(files.folder.files().empty());
}

TEST(TextFolderFaults, AStepTheFolderRefusesIs25NamingTheFileAndTheFailureExitDeletesBoth) {
  struct Case {
    const char* what;
    FolderStep step;
    TextFile file;
    const char* detail;
    bool cells;  // whether the route was compiled before the fault
  };
  const std::vector<Case> cases = {
      {"the route cannot be looked up", FolderStep::look_up, TextFile::route, "cannot look up",
       false},
      {"the route cannot be opened", FolderStep::open, TextFile::route, "cannot open", false},
      {"the route cannot be read", FolderStep::read, TextFile::route, "cannot read", false},
      {"the route cannot be deleted once read", FolderStep::remove, TextFile::route,
       "cannot delete", true},
      {"the train cannot be opened", FolderStep::open, TextFile::train, "cannot open", true},
      {"the train cannot be read", FolderStep::read, TextFile::train, "cannot read", true},
      {"the train cannot be deleted once read", FolderStep::remove, TextFile::train,
       "cannot delete", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TwoTextFiles fresh;
    // Refused once: the failure exit's own delete, which comes after, succeeds.
    fresh.folder.refuse(c.step, fresh.name_of(c.file), "Permission denied", 1);
    ASSERT_TRUE(memorizza_dati(fresh.state, fresh.folder).ok()) << "a text file was left";
    const RecordedFailure& failure = fresh.state.failure;
    EXPECT_EQ(failure.number(), 25);
    EXPECT_EQ(failure.source, c.file);
    EXPECT_EQ(failure.detail.text, c.detail);
    EXPECT_TRUE(failure.detail.names_file);
    EXPECT_EQ(failure.detail.reason, "Permission denied");
    EXPECT_EQ(fresh.state.cells.has_value(), c.cells);
    EXPECT_TRUE(fresh.folder.files().empty());
  }
}

TEST(TextFolderFaults, ATrainFileThatCannotBeReadHasNoLineOfItsOwn) {
  TwoTextFiles files;
  files.folder.refuse(FolderStep::read, files.train_name(), "Input/output error");
  ASSERT_TRUE(memorizza_dati(files.state, files.folder).ok());
  EXPECT_EQ(files.state.failure.number(), 25);
  EXPECT_EQ(files.state.failure.source, TextFile::train);
  // The route's last record was on line 4; the train file has no line to report.
  EXPECT_EQ(files.state.failure.line, 0);
}

TEST(TextFolderFaults, AFileTheFailureExitCannotDeleteIsReturnedAndStays) {
  struct Case {
    const char* what;
    TextFile refusing;                 // the file that can never be deleted
    std::optional<TextFile> unopened;  // a file whose open is refused, if any
  };
  const std::vector<Case> cases = {
      {"the route, after its own read fault", TextFile::route, TextFile::route},
      {"the route, whose delete after reading it was the fault", TextFile::route, std::nullopt},
      {"the train, after a read fault of the route", TextFile::train, TextFile::route},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TwoTextFiles fresh;
    const std::string stays = fresh.name_of(c.refusing);
    fresh.folder.refuse(FolderStep::remove, stays, "Read-only file system");
    if (c.unopened) {
      fresh.folder.refuse(FolderStep::open, fresh.name_of(*c.unopened), "Permission denied");
    }
    const FileResult<> left = memorizza_dati(fresh.state, fresh.folder);
    EXPECT_EQ(fresh.state.failure.number(), 25);
    ASSERT_FALSE(left.ok());
    EXPECT_EQ(left.fault().path, stays);
    EXPECT_EQ(left.fault().reason, "Read-only file system");
    std::vector<std::string> names;
    for (const auto& [name, bytes] : fresh.folder.files()) names.push_back(name);
    EXPECT_EQ(names, std::vector<std::string>{stays});
  }
}

}  // namespace
}  // namespace scenario
