// The pack's whole run, from the embedded text to the binary files, through a fake platform.
#include <gtest/gtest.h>

#include <string>

#include "app/exit_status.h"
#include "app/form_load.h"
#include "app/memorizza_percorso.h"
#include "model/file_names.h"
#include "payload/text_writers.h"
#include "platform/disk_folder.h"
#include "platform/file_system.h"
#include "support/test_support.h"

namespace scenario {
namespace {

using testing::FakePlatform;
using testing::file_names;
using testing::read_file;
using testing::TempFolder;
using testing::write_file;

constexpr std::string_view kLine = "Vallombra Marina_Scogliera";

std::string named(std::string_view suffix) { return std::string(kLine) + std::string(suffix); }

ScenarioPayload shipped_with(std::string_view route, std::string_view train) {
  ScenarioPayload payload = embedded_scenario();
  payload.route = route;
  payload.train = train;
  return payload;
}

TEST(WholeRun, ShippedScenarioLeavesThreeTextAndThreeBinaryFilesAndEndsWithZero) {
  TempFolder folder;
  FakePlatform platform(folder.path());
  EXPECT_EQ(Form_Load(platform, embedded_scenario()), kExitSuccess);
  EXPECT_TRUE(platform.reports.empty());
  EXPECT_TRUE(platform.notes.empty());
  EXPECT_TRUE(platform.error_boxes.empty());
  EXPECT_EQ(file_names(folder.path()),
            (std::vector<std::string>{named("_4127.dat"), named("_4127.sim"),
                                      named("_4127_note.txt"), named("_4127_rallentamenti.txt"),
                                      named("_4127_scheda_treno.txt"), named("_linea.dat")}));
  // 13800 m of line: 20800 profile rows, cells 0 to 416.
  EXPECT_EQ(std::filesystem::file_size(folder / named("_linea.dat")), 20u * 20800 - 36);
  EXPECT_EQ(std::filesystem::file_size(folder / named("_4127.dat")), 15u * 417);
}

TEST(WholeRun, ASecondRunReplacesEveryFileWhole) {
  TempFolder folder;
  FakePlatform first(folder.path());
  ASSERT_EQ(Form_Load(first, embedded_scenario()), kExitSuccess);
  const std::string cells = read_file(folder / named("_4127.dat"));
  const std::string table = read_file(folder / named("_4127.sim"));

  // Older, longer files of every name, the text files read back by the compile included.
  const std::string older(500000, '\x7f');
  for (const std::string& name : file_names(folder.path())) write_file(folder / name, older);
  write_file(folder / named("_linea.txt"), older + "\r\n");
  FakePlatform second(folder.path());
  ASSERT_EQ(Form_Load(second, embedded_scenario()), kExitSuccess);
  EXPECT_EQ(read_file(folder / named("_4127.dat")), cells);
  EXPECT_EQ(read_file(folder / named("_4127.sim")), table);
  EXPECT_EQ(std::filesystem::file_size(folder / named("_4127_note.txt")), 0u);
  EXPECT_EQ(file_names(folder.path()).size(), 6u);
}

TEST(WholeRun, WithoutAProfileWritesOnlyTheTableAndTheCells) {
  TempFolder folder;
  FakePlatform platform(folder.path());
  ScenarioState state;
  state.line_name = kLine;
  state.train_number = "4127";
  DiskFolder files(folder.path());
  ASSERT_TRUE(write_scenario_texts(state, embedded_scenario(), files).ok());
  const auto run = memorizza_percorso(state, 0, platform, files);
  ASSERT_TRUE(run.ok());
  EXPECT_EQ(run.value().kind, RunOutcome::Kind::files_written);
  EXPECT_EQ(state.failure.number(), 0);
  EXPECT_FALSE(state.line_profile.has_value());
  EXPECT_FALSE(std::filesystem::exists(folder / named("_linea.dat")));
  EXPECT_TRUE(std::filesystem::exists(folder / named("_4127.sim")));
  EXPECT_TRUE(std::filesystem::exists(folder / named("_4127.dat")));
}

TEST(WholeRun, AReusedStateKeepsNothingOfTheRunBefore) {
  TempFolder folder;
  FakePlatform platform(folder.path());
  ScenarioState state;
  state.line_name = kLine;
  state.train_number = "4127";
  DiskFolder files(folder.path());
  ASSERT_TRUE(write_scenario_texts(state, embedded_scenario(), files).ok());
  const auto first = memorizza_percorso(state, 1, platform, files);
  ASSERT_TRUE(first.ok());
  ASSERT_EQ(first.value().kind, RunOutcome::Kind::files_written);
  ASSERT_TRUE(state.cells.has_value());
  ASSERT_EQ(state.mountain_count, 1);

  // The text files are gone now, so the second run finds no route file: nothing is compiled,
  // and the first run's cells, plan and mountains are not taken for this one's.
  const auto second = memorizza_percorso(state, 0, platform, files);
  ASSERT_TRUE(second.ok());
  EXPECT_EQ(second.value().kind, RunOutcome::Kind::nothing_compiled);
  EXPECT_EQ(state.failure.number(), 101);
  EXPECT_FALSE(state.cells.has_value());
  EXPECT_FALSE(state.line_profile.has_value());
  EXPECT_EQ(state.mountain_count, 0);
  EXPECT_EQ(state.route_span, 0);
  EXPECT_EQ(state.profile_flag, 0);
  EXPECT_EQ(state.line_name, kLine);
  EXPECT_EQ(state.train_number, "4127");
  EXPECT_EQ(state.sim_table[kTrainSlot].name, "4127");
}

TEST(WholeRun, ATextFileTheFailureExitCannotDeleteIsReportedAndTheRunGoesOn) {
  TempFolder folder;
  FakePlatform platform(folder.path());
  ScenarioState state;
  state.line_name = std::string(300, 'L');  // longer than any file name the system takes
  state.train_number = "1";
  DiskFolder files(folder.path());
  const auto run = memorizza_percorso(state, 1, platform, files);
  ASSERT_TRUE(run.ok());
  const RunOutcome& outcome = run.value();
  EXPECT_EQ(state.failure.number(), 25);
  EXPECT_EQ(outcome.kind, RunOutcome::Kind::nothing_compiled);
  ASSERT_TRUE(outcome.text_file_left.has_value());
  EXPECT_EQ(outcome.text_file_left->path, folder / route_text_name(state));
}

TEST(WholeRun, ARouteFailureThatEndsTheParseLeavesTheTrainFileBehind) {
  // Two direction boards on cell 3: the second one fails with error 6 before the train is read.
  const std::string route =
      "[generale]\nlunghezza percorso, 1000\n[indicazioni]\ncartello_indicatore, 100, (A)\n"
      "cartello_indicatore, 110, (B)\n[fine]\n";
  TempFolder folder;
  FakePlatform platform(folder.path());
  EXPECT_EQ(Form_Load(platform, shipped_with(route, embedded_scenario().train)),
            kExitRecordedFailure);
  EXPECT_TRUE(platform.reports.empty());
  ASSERT_EQ(platform.notes.size(), 1u);
  EXPECT_NE(platform.notes[0].find("error 6 at 110 m"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(folder / named("_linea.txt")));
  EXPECT_TRUE(std::filesystem::exists(folder / named("_4127-.txt")));
  EXPECT_TRUE(std::filesystem::exists(folder / named("_4127.dat")));
}

TEST(WholeRun, ACodeChangePlacedOnCell1StopsTheRunWith1250) {
  // Signals on cells 2 and 3 fill the slowdown's first approach window but for cell 1, where
  // the placement puts its code change: a reserved field in use.
  const std::string route = "[generale]\nlunghezza percorso, 2000\n[fine]\n";
  const std::string train =
      "[generale]\n[segnali]\nsegnale, 50, 0,0,0,0,0,0,0,0,0,0\nsegnale, 100, 0,0,0,0,0,0,0,0,0,0\n"
      "[rallentamenti]\nrallentamento, 350, 120, 400, 0, 0, 0\n[fine]\n";
  TempFolder folder;
  FakePlatform platform(folder.path());
  EXPECT_EQ(Form_Load(platform, shipped_with(route, train)), kExitErrorBox);
  EXPECT_EQ(platform.error_boxes, std::vector<std::string>{" Errore n. 1250"});
  for (const std::string& name : file_names(folder.path())) {
    EXPECT_TRUE(name.ends_with(".txt")) << name;
  }
}

}  // namespace
}  // namespace scenario
