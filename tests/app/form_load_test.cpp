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
