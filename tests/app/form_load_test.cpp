#include "app/form_load.h"

#include <gtest/gtest.h>

#include "app/exit_status.h"
#include "app/memorizza_percorso.h"
#include "model/file_names.h"
#include "support/test_support.h"

namespace scenario {
namespace {

using testing::FakePlatform;
using testing::TempFolder;

TEST(FormLoad, ShowsAttendereBeforeTheFirstFileIsWritten) {
  TempFolder folder;
  FakePlatform platform(folder.path());
  Form_Load(platform, embedded_scenario());
  EXPECT_EQ(platform.captions, std::vector<std::string>{"Attendere"});
  EXPECT_TRUE(platform.files_when_shown.empty());
}

TEST(FormLoad, EndsWithAMessageAndStatus74WhenATextFileCannotBeWritten) {
  TempFolder folder;
  FakePlatform platform(folder.path());
  std::filesystem::create_directory(folder / "Vallombra Marina_Scogliera_linea.txt");
  EXPECT_EQ(Form_Load(platform, embedded_scenario()), kExitFileFault);
  ASSERT_EQ(platform.reports.size(), 1u);
  EXPECT_NE(platform.reports[0].find("Vallombra Marina_Scogliera_linea.txt"), std::string::npos);
  EXPECT_TRUE(platform.notes.empty());
  EXPECT_TRUE(platform.error_boxes.empty());
}

TEST(FormLoad, EndsWithStatus74AndWritesNothingWhenTheProgramsFolderIsNotKnown) {
  TempFolder folder;
  FakePlatform platform(folder.path());
  platform.lose_folder(FileFault{"/proc/self/exe", "No such file or directory"});
  EXPECT_EQ(Form_Load(platform, embedded_scenario()), kExitFileFault);
  ASSERT_EQ(platform.reports.size(), 1u);
  EXPECT_EQ(platform.reports[0],
            "Cannot find the program's folder: /proc/self/exe: No such file or directory");
  EXPECT_TRUE(testing::file_names(folder.path()).empty());
}

// A scenario whose route text is given; the train and the other files are empty.
ScenarioPayload scenario_with_route(std::string_view route) {
  ScenarioPayload payload = embedded_scenario();
  payload.route = route;
  payload.train = "";
  return payload;
}

TEST(FormLoad, EndsWithStatus3AndNoBinaryFileWhenNoLineWasCompiled) {
  // Without a route length there are no cells: the parse takes the read-fault exit (25).
  TempFolder folder;
  FakePlatform platform(folder.path());
  EXPECT_EQ(
      Form_Load(platform, scenario_with_route("[generale]\nsfondo uno, 1\n[curve]\n[fine]\n")),
      kExitNothingCompiled);
  // A recorded failure is a note for consoles and scripts, never a report shown in a window.
  EXPECT_TRUE(platform.reports.empty());
  ASSERT_EQ(platform.notes.size(), 1u);
  EXPECT_NE(platform.notes[0].find("error 25"), std::string::npos);
  for (const std::string& name : testing::file_names(folder.path())) {
    EXPECT_TRUE(name.ends_with(".txt")) << name;
  }
}

TEST(FormLoad, EndsWithStatus1AndNamesTheRecordedFailure) {
  // A gradient far beyond the 140 cells of a 0 m line fails the bound test: error 15.
  TempFolder folder;
  FakePlatform platform(folder.path());
  EXPECT_EQ(Form_Load(platform, scenario_with_route("[generale]\nlunghezza percorso, 0\n[x]\n"
                                                    "pendenza, 9000, 1\n[fine]\n")),
            kExitRecordedFailure);
  // A recorded failure is a note for consoles and scripts, never a report shown in a window.
  EXPECT_TRUE(platform.reports.empty());
  ASSERT_EQ(platform.notes.size(), 1u);
  EXPECT_NE(platform.notes[0].find("error 15 at 9000 m"), std::string::npos);
  EXPECT_TRUE(platform.error_boxes.empty());
}

TEST(Errore, ShowsTheNumberAfterALeadingBlank) {
  TempFolder folder;
  FakePlatform platform(folder.path());
  errore(platform, "1250");
  EXPECT_EQ(platform.error_boxes, std::vector<std::string>{" Errore n. 1250"});
}

}  // namespace
}  // namespace scenario
