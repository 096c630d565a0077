#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "compiled_sets.h"
#include "diff_command.h"

namespace scenario::tool {
namespace {

using scenario::testing::read_file;
using scenario::testing::TempFolder;
using scenario::testing::write_file;
using testing::compile_set;
using testing::compile_text;
using testing::lines_of;
using testing::run_scenario;
using testing::ToolRun;

const std::filesystem::path kSource = SCENARIO_SOURCE;
const std::filesystem::path kShipped = kSource / "scenarios/vallombra_marina";
constexpr const char* kShippedLine = "Vallombra Marina_Scogliera";

// A 5000 m line without cab signalling; the features follow the section head.
std::string route_with(const std::string& features, int length = 5000) {
  return "[generale]\nlunghezza percorso, " + std::to_string(length) +
         "\nripetizione segnali 9 codici, 0, 0\n[curve]\n" + features + "[fine]\n";
}

std::string train_with(const std::string& records) {
  return "[generale]\nnumero vetture, 4\n[segnali]\n" + records + "[fine]\n";
}

bool contains(const std::string& text, const std::string& piece) {
  return text.find(piece) != std::string::npos;
}

class InspectCommands : public ::testing::Test {
 protected:
  // The shipped scenario compiled into `folder` (the profile too unless told otherwise).
  std::filesystem::path shipped_set(const std::string& folder, bool profile = true) {
    const std::filesystem::path out = work_ / folder;
    EXPECT_EQ(compile_set(kShipped / "route.txt", kShipped / "train.txt", kShippedLine, "4127", out,
                          profile)
                  .status,
              kToolSuccess);
    return out;
  }

  // Line "Prova", train "7", a 5000 m line with nothing on it: slots 85 and 86 hold the only
  // names ("Prova", "7"), so slot 85 begins at byte 85 x 34 = 2890 and slot 86 at 2929; the
  // table has 87 x 34 + 6 = 2964 bytes. Cells 0 to 12000 / 50 = 240, 3615 bytes; profile rows
  // 0 to 12000, 20 x 12000 - 36 = 239964 bytes.
  std::filesystem::path plain_set(const std::string& folder) {
    const std::filesystem::path out = work_ / folder;
    EXPECT_EQ(
        compile_text(work_ / (folder + "-text"), route_with(""), train_with(""), "Prova", "7", out)
            .status,
        kToolSuccess);
    return out;
  }

  TempFolder work_;
};

TEST_F(InspectCommands, VerifyPassesOnEverySetTheProjectWrites) {
  const std::filesystem::path collina = kSource / "tests/tools/scenarios/collina";
  struct Case {
    const char* what;
    std::function<std::filesystem::path()> make;
    std::size_t files;
  };
  const Case cases[] = {
      {"shipped", [&] { return shipped_set("shipped"); }, 3},
      {"shipped, no profile", [&] { return shipped_set("no-profile", false); }, 2},
      {"collina",
       [&] {
         const auto out = work_ / "collina";
         EXPECT_EQ(
             compile_set(collina / "route.txt", collina / "train.txt", "Collina Prova", "88", out)
                 .status,
             kToolSuccess);
         return out;
       },
       3},
      {"plain", [&] { return plain_set("plain"); }, 3},
      // The longest line the compiler takes: cells 0 to 20140, profile rows 0 to 1007000.
      {"1000000 m",
       [&] {
         const auto out = work_ / "long";
         EXPECT_EQ(compile_text(work_ / "long-text",
                                route_with("curvas3, 1000, 500\npendenza, 400000, 5\n", 1000000),
                                train_with(""), "Lunga", "1", out)
                       .status,
                   kToolSuccess);
         return out;
       },
       3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::filesystem::path folder = c.make();
    const ToolRun run = run_scenario({"verify", folder.string()});
    EXPECT_EQ(run.status, kToolSuccess) << run.out << run.err;
    const std::vector<std::string> lines = lines_of(run.out);
    EXPECT_EQ(lines.size(), c.files) << run.out;
    for (const std::string& line : lines) EXPECT_TRUE(line.ends_with(": whole")) << line;
  }

  // The files named one by one check the same, each against the table beside it.
  const std::filesystem::path folder = work_ / "shipped";
  const ToolRun named =
      run_scenario({"verify", (folder / (std::string(kShippedLine) + "_linea.dat")).string(),
                    (folder / (std::string(kShippedLine) + "_4127.dat")).string()});
  EXPECT_EQ(named.status, kToolSuccess) << named.out;
  EXPECT_EQ(lines_of(named.out).size(), 2u);
}

struct Damage {
  const char* what;
  std::function<void(const std::filesystem::path&)> damage;
  std::vector<std::string> lines;  // each must appear in the report
};

void change_byte(const std::filesystem::path& file, std::size_t at,
                 std::function<char(char)> change) {
  std::string bytes = read_file(file);
  ASSERT_LT(at, bytes.size());
  bytes[at] = change(bytes[at]);
  write_file(file, bytes);
}

void cut(const std::filesystem::path& file, std::size_t count) {
  const std::string bytes = read_file(file);
  write_file(file, bytes.substr(0, bytes.size() - count));
}

void append(const std::filesystem::path& file) { write_file(file, read_file(file) + '\0'); }

TEST_F(InspectCommands, VerifyNamesEachProblemOfADamagedCopy) {
  const std::string sim = "Prova_7.sim";
  const std::string dat = "Prova_7.dat";
  const std::string profile = "Prova_linea.dat";
  const auto set = [](char c) { return [c](char) { return c; }; };
  const auto flip = [](char c) { return static_cast<char>(c ^ 1); };
  const Damage cases[] = {
      {"slot marker",
       [&](auto f) { change_byte(f / sim, 2890 + 16 + 5, set('\x63')); },
       {"Prova_7.sim: byte 2911: slot 85 param7 is 611, not the marker 610"}},
      {"cell marker",
       [&](auto f) { change_byte(f / dat, 16, set('\x02')); },
       {"Prova_7.dat: byte 16: cell 1 value1 is 5122, not the marker 5121"}},
      {"ST code",
       [&](auto f) { change_byte(f / sim, 2890 + 30 + 5, flip); },
       {"Prova_7.sim: byte 2925: slot 85 time_s is "}},
      {"OG code",
       [&](auto f) { change_byte(f / dat, 18, flip); },
       {"Prova_7.dat: byte 18: cell 1 value2 is "}},
      {"truncated cells",
       [&](auto f) { cut(f / dat, 1); },
       {"Prova_7.dat: byte 3614: the file ends inside cell 240: cells 0 to 240 take 3615 bytes"}},
      {"truncated table",
       [&](auto f) { cut(f / sim, 3); },
       {"Prova_7.sim: byte 2961: the file ends inside slot 86's time_s",
        "Prova_7.dat: not checked, its table is damaged"}},
      {"truncated profile",
       [&](auto f) { cut(f / profile, 1); },
       {"Prova_linea.dat: byte 239962: the file ends after 24001 of the 24002 elements"}},
      {"extra byte in the cells",
       [&](auto f) { append(f / dat); },
       {"Prova_7.dat: byte 3615: 1 byte follows cells 0 to 240"}},
      {"extra byte in the table",
       [&](auto f) { append(f / sim); },
       {"Prova_7.sim: byte 2964: 1 byte follows the 87 slots"}},
      {"extra byte in the profile",
       [&](auto f) { append(f / profile); },
       {"Prova_linea.dat: byte 239964: 1 byte follows the 24002 elements"}},
      {"renamed cells",
       [&](auto f) { std::filesystem::rename(f / dat, f / "Prova_8.dat"); },
       {"Prova_7.dat: missing from the set"}},
      {"unknown kind",
       [&](auto f) { change_byte(f / dat, 100 * 15, set('\x07')); },
       {"Prova_7.dat: byte 1500: cell 100 has the kind code 7, which no object uses"}},
      {"name length past the end",
       [&](auto f) {
         change_byte(f / sim, 2929 + 14, set('\xFF'));
         change_byte(f / sim, 2929 + 15, set('\xFF'));
       },
       {"Prova_7.sim: byte 2943: slot 86's name length 65535 runs past the end of the file"}},
      {"route length meaning gigabytes",
       [&](auto f) {
         for (std::size_t k = 0; k < 4; ++k) {
           change_byte(f / sim, 84 * 34 + 5 + k, set(k == 3 ? '\x7F' : '\xFF'));
         }
       },
       {"Prova_7.sim: byte 2861: slot 84 zone_end holds the route length 2147483647",
        "Prova_7.dat: byte 3615: the file ends inside cell 241: cells 0 to 42949813 take",
        "Prova_linea.dat: byte 239964: the file ends too soon: rows 0 to 2147490647 need"}},
      {"cells in place of the table",
       [&](auto f) {
         std::filesystem::copy_file(f / dat, f / sim,
                                    std::filesystem::copy_options::overwrite_existing);
       },
       {"Prova_7.sim: byte "}},
  };
  int n = 0;
  for (const Damage& c : cases) {
    SCOPED_TRACE(c.what);
    const std::filesystem::path folder = plain_set("damaged-" + std::to_string(n++));
    c.damage(folder);
    const ToolRun run =
        run_scenario({"verify", folder.string(), "--line", "Prova", "--number", "7"});
    EXPECT_EQ(run.status, 1) << run.out << run.err;
    for (const std::string& line : c.lines) {
      EXPECT_TRUE(contains(run.out, (folder / line).string())) << line << "\nin\n" << run.out;
    }
  }
}

TEST_F(InspectCommands, VerifyFindsARenamedSetByTheNamesInsideIt) {
  const std::filesystem::path folder = plain_set("renamed");
  for (const auto& [from, to] :
       {std::pair{"Prova_7.sim", "Altra_7.sim"}, std::pair{"Prova_7.dat", "Altra_7.dat"},
        std::pair{"Prova_linea.dat", "Altra_linea.dat"}}) {
    std::filesystem::rename(folder / from, folder / to);
  }
  const ToolRun run = run_scenario({"verify", folder.string(), "--line", "Altra", "--number", "7"});
  EXPECT_EQ(run.status, 1);
  for (const char* expected : {"Prova_7.sim", "Prova_7.dat", "Prova_linea.dat"}) {
    const std::string renamed = std::string("Altra") + (expected + 5);
    EXPECT_TRUE(contains(run.out, (folder / renamed).string() +
                                      ": the names in slots 85 and 86 (line \"Prova\", train "
                                      "\"7\") belong in a file named \"" +
                                      expected + "\""))
        << run.out;
  }
}

TEST_F(InspectCommands, DiffReportsExactlyTheCellsAMovedSignalChanges) {
  // A signal with sx 2, s1 5 and s2 6: value1 50, value2 60, value4 2 x 3 = 6, and approach
  // marks 10 x 6 + k in the cells 2, 4, 6 and 8 before it. At 2000 m it takes cell 41, at 2500 m
  // cell 51.
  const std::string signal = ", 2, 5, 6, 0, 0, 0, 0,0,0, 0\n";
  ASSERT_EQ(compile_text(work_ / "a-text", route_with(""), train_with("segnale, 2000" + signal),
                         "Prova", "7", work_ / "a")
                .status,
            kToolSuccess);
  ASSERT_EQ(compile_text(work_ / "b-text", route_with(""), train_with("segnale, 2500" + signal),
                         "Prova", "7", work_ / "b")
                .status,
            kToolSuccess);
  const ToolRun run = run_scenario({"diff", (work_ / "a").string(), (work_ / "b").string()});
  EXPECT_EQ(run.status, kDiffDiffers) << run.err;
  const std::string a = (work_ / "a").string() + "/";
  const std::string b = (work_ / "b").string() + "/";
  EXPECT_EQ(run.out,
            a + "Prova_7.dat -> " + b + "Prova_7.dat\n" +
                "  cell 33 (1650 m): marker 64 -> 0\n"
                "  cell 35 (1750 m): marker 63 -> 0\n"
                "  cell 37 (1850 m): marker 62 -> 0\n"
                "  cell 39 (1950 m): marker 61 -> 0\n"
                "  cell 41 (2050 m): kind signal -> empty; value1 50 -> 0; value2 60 -> 0; "
                "value4 6 -> 0\n"
                "  cell 43 (2150 m): marker 0 -> 64\n"
                "  cell 45 (2250 m): marker 0 -> 63\n"
                "  cell 47 (2350 m): marker 0 -> 62\n"
                "  cell 49 (2450 m): marker 0 -> 61\n"
                "  cell 51 (2550 m): kind empty -> signal; value1 0 -> 50; value2 0 -> 60; "
                "value4 0 -> 6\n" +
                a + "Prova_7.sim: identical\n" + a + "Prova_7.dat: 10 cells differ\n" + a +
                "Prova_linea.dat: identical\n");

  const ToolRun json =
      run_scenario({"diff", "--format", "json", (work_ / "a").string(), (work_ / "b").string()});
  EXPECT_EQ(json.status, kDiffDiffers);
  const auto report = nlohmann::json::parse(json.out);
  EXPECT_FALSE(report["identical"].get<bool>());
  std::vector<int> cells;
  for (const auto& record : report["files"][1]["records"]) cells.push_back(record["cell"]);
  EXPECT_EQ(cells, (std::vector<int>{33, 35, 37, 39, 41, 43, 45, 47, 49, 51}));
  EXPECT_EQ(report["files"][0]["differing"], 0);
  EXPECT_EQ(report["files"][2]["differing"], 0);
}

TEST_F(InspectCommands, DiffOfABoardTextChangesOnlyItsSlot) {
  ASSERT_EQ(compile_text(work_ / "a-text", route_with("cartello_indicatore, 1000, (A)\n"),
                         train_with(""), "Prova", "7", work_ / "a")
                .status,
            kToolSuccess);
  ASSERT_EQ(compile_text(work_ / "b-text", route_with("cartello_indicatore, 1000, (B)\n"),
                         train_with(""), "Prova", "7", work_ / "b")
                .status,
            kToolSuccess);
  // Two single files of the same kind compare too.
  const ToolRun tables = run_scenario(
      {"diff", (work_ / "a/Prova_7.sim").string(), (work_ / "b/Prova_7.sim").string()});
  EXPECT_EQ(tables.status, kDiffDiffers);
  EXPECT_TRUE(contains(tables.out, "\n  slot 80: name \"(A)\" -> \"(B)\"\n")) << tables.out;
  EXPECT_TRUE(contains(tables.out, "Prova_7.sim: 1 slot differs\n")) << tables.out;
  const ToolRun cells = run_scenario(
      {"diff", (work_ / "a/Prova_7.dat").string(), (work_ / "b/Prova_7.dat").string()});
  EXPECT_EQ(cells.status, kToolSuccess) << cells.out;
  EXPECT_EQ(cells.out, (work_ / "a/Prova_7.dat").string() + ": identical\n");
}

TEST_F(InspectCommands, DiffTellsADifferentRouteLengthOnce) {
  ASSERT_EQ(
      compile_text(work_ / "a-text", route_with(""), train_with(""), "Prova", "7", work_ / "a")
          .status,
      kToolSuccess);
  ASSERT_EQ(compile_text(work_ / "b-text", route_with("", 5100), train_with(""), "Prova", "7",
                         work_ / "b")
                .status,
            kToolSuccess);
  const ToolRun run = run_scenario({"diff", (work_ / "a").string(), (work_ / "b").string()});
  EXPECT_EQ(run.status, kDiffDiffers);
  const std::string a = (work_ / "a").string() + "/";
  const std::string b = (work_ / "b").string() + "/";
  // Cells 0 to 240 and 0 to 242: the gradient tail reaches cell 237 and 239; rows 0 to 12000 and
  // 0 to 12100, the plan's tail reaching row 11998 and 12098.
  EXPECT_EQ(run.out,
            "route length 5000 -> 5100 m\n" + a + "Prova_7.sim -> " + b + "Prova_7.sim\n" +
                "  slot 84: zone_end 5000 -> 5100\n" + a + "Prova_7.dat -> " + b + "Prova_7.dat\n" +
                "  cell 238 (11900 m): gradient 0 -> 100\n"
                "  cell 239 (11950 m): gradient 0 -> 100\n"
                "  cells 241 to 242 only in B\n" +
                a + "Prova_linea.dat -> " + b + "Prova_linea.dat\n" +
                "  rows 11999 to 12000 (2 rows), first: x empty -> 0 (real); y empty -> 11999 "
                "(real)\n"
                "  rows 12001 to 12100 only in B\n" +
                a + "Prova_7.sim: 1 slot differs\n" + a +
                "Prova_7.dat: 2 cells differ, 2 cells only in B\n" + a +
                "Prova_linea.dat: 2 rows differ, 100 rows only in B\n");
}

TEST_F(InspectCommands, DumpShowsTheShippedSignalsAsTheyWereBuilt) {
  const std::filesystem::path folder = shipped_set("shipped");
  const std::string cells = (folder / (std::string(kShippedLine) + "_4127.dat")).string();
  const ToolRun run = run_scenario({"dump", "--kind", "signal", cells});
  ASSERT_EQ(run.status, kToolSuccess) << run.err;
  // Cell 240: value1 50, value2 60, value3 0, value4 6; cell 265: 30, 40, 0, 16. Both cells run
  // at speed 30 (6 x 5) with adhesion 100 on a level line.
  EXPECT_EQ(run.out,
            cells + ": cells 0 to 416, 50 m each (route length 13800 m)\n" +
                "cell 240 at 12000 m: signal (for 11950 m) s1 5 d1 0, s2 6 d2 0, s3 0 d3 0, "
                "rapp 0, sx 2, dx 0, signal_time 0; speed_limit 6 (30), gradient 100 (0), "
                "adhesion 100\n"
                "cell 265 at 13250 m: signal (for 13200 m) s1 3 d1 0, s2 4 d2 0, s3 0 d3 0, "
                "rapp 1, sx 2, dx 0, signal_time 0; speed_limit 6 (30), gradient 100 (0), "
                "adhesion 100\n");

  const ToolRun csv =
      run_scenario({"dump", "--format", "csv", "--from", "11850", "--to", "11950", cells});
  ASSERT_EQ(csv.status, kToolSuccess);
  EXPECT_EQ(lines_of(csv.out),
            (std::vector<std::string>{"index,metres,kind,kind_name,value1,value2,value3,value4,"
                                      "signal_time,marker,mountain_type,speed_limit,gradient,"
                                      "adhesion",
                                      "237,11850,0,empty,0,0,0,0,0,0,0,6,100,100",
                                      "238,11900,0,empty,0,0,0,0,0,61,0,6,100,100",
                                      "239,11950,0,empty,0,0,0,0,0,0,0,6,100,100"}));
}

TEST_F(InspectCommands, KindsNarrowEveryFileOfAFolderToItsCells) {
  const std::filesystem::path folder = shipped_set("shipped");
  const std::string table = (folder / (std::string(kShippedLine) + "_4127.sim")).string();
  const std::string cells = (folder / (std::string(kShippedLine) + "_4127.dat")).string();
  const std::string profile = (folder / (std::string(kShippedLine) + "_linea.dat")).string();
  struct Case {
    std::vector<std::string> args;
    bool signals;  // the two signals of the shipped line are listed
  };
  // --kind takes one value, so the folder after it stays an input.
  const Case cases[] = {
      {{"dump", "--kind", "signal", folder.string()}, true},
      {{"dump", folder.string(), "--kind", "signal"}, true},
      {{"dump", "--kind", "station_stop", folder.string()}, false},
      {{"dump", "--kind", "signal,code_change", folder.string()}, true},
      {{"dump", "--kind", "code_change", "--kind", "signal", folder.string()}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    const ToolRun run = run_scenario(c.args);
    ASSERT_EQ(run.status, kToolSuccess) << run.err;
    const std::vector<std::string> lines = lines_of(run.out);
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(lines.front().starts_with(cells + ": cells 0 to 416")) << lines.front();
    EXPECT_FALSE(contains(run.out, table)) << run.out;
    EXPECT_FALSE(contains(run.out, profile)) << run.out;
    EXPECT_EQ(contains(run.out, "cell 240 at 12000 m: signal"), c.signals) << run.out;
    for (const std::string& line : lines) {
      if (line.starts_with("cell ")) {
        EXPECT_FALSE(contains(line, ": empty")) << line;
      }
    }
  }
  const ToolRun json =
      run_scenario({"dump", "--format", "json", "--kind", "signal", folder.string()});
  ASSERT_EQ(json.status, kToolSuccess) << json.err;
  const auto files = nlohmann::json::parse(json.out).at("files");
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0].at("file"), cells);
}

TEST_F(InspectCommands, HelpListsTheWordsAnOptionTakes) {
  struct Case {
    std::vector<std::string> args;
    std::string words;
  };
  const Case cases[] = {
      {{"check", "--help"}, "{human,gcc,json}"}, {{"check", "--help"}, "{auto,always,never}"},
      {{"dump", "--help"}, "{text,json,csv}"},   {{"diff", "--help"}, "{text,json}"},
      {{"pack", "--help"}, "{windows,linux}"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.words);
    const ToolRun help = run_scenario(c.args);
    EXPECT_EQ(help.status, kToolSuccess);
    EXPECT_TRUE(contains(help.out, c.words)) << help.out;
    // The values the words stand for are the command's business, not the author's.
    EXPECT_FALSE(contains(help.out, "->")) << help.out;
  }
  // The words are taken in any case.
  const std::filesystem::path folder = plain_set("plain");
  EXPECT_EQ(run_scenario({"dump", "--format", "CSV", (folder / "Prova_7.sim").string()}).status,
            kToolSuccess);
}

TEST_F(InspectCommands, DumpNeedsTheRouteLengthAndSaysWhereToGiveIt) {
  const std::filesystem::path folder = shipped_set("shipped");
  const std::filesystem::path alone = work_ / "alone";
  std::filesystem::create_directory(alone);
  for (const char* suffix : {"_4127.dat", "_linea.dat"}) {
    std::filesystem::copy_file(folder / (std::string(kShippedLine) + suffix),
                               alone / (std::string(kShippedLine) + suffix));
  }
  const std::string cells = (alone / (std::string(kShippedLine) + "_4127.dat")).string();
  const std::string profile = (alone / (std::string(kShippedLine) + "_linea.dat")).string();
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string err;  // a piece of the one line on standard error; empty: nothing there
  };
  const Case cases[] = {
      {{"dump", cells}, kToolUsage, "give --cells N"},
      {{"dump", profile}, kToolUsage, "give --rows M"},
      {{"dump", "--cells", "416", cells}, kToolSuccess, ""},
      {{"dump", "--rows", "20800", profile}, kToolSuccess, ""},
      // One cell short of the file: 15 bytes are left over after cell 415.
      {{"dump", "--cells", "415", cells}, 1, "byte 6240: 15 bytes follow cells 0 to 415"},
      {{"dump", "--rows", "20801", profile}, 1, "the file ends after"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    const ToolRun run = run_scenario(c.args);
    EXPECT_EQ(run.status, c.status);
    if (c.err.empty()) {
      EXPECT_EQ(run.err, "");
    } else {
      EXPECT_EQ(lines_of(run.err).size(), 1u) << run.err;
      EXPECT_TRUE(contains(run.err, c.err)) << run.err;
    }
  }
}

TEST_F(InspectCommands, WrongCommandLinesAndUnreadableFilesGiveTheirStatus) {
  const std::filesystem::path folder = plain_set("plain");
  const std::filesystem::path two = work_ / "two";
  std::filesystem::create_directory(two);
  for (const char* name : {"Prova_7.sim", "Prova_7.dat"}) {
    std::filesystem::copy_file(folder / name, two / name);
  }
  std::filesystem::copy_file(folder / "Prova_7.sim", two / "Prova_8.sim");
  write_file(work_ / "notes.txt", "");
  const std::string sim = (folder / "Prova_7.sim").string();
  const std::string dat = (folder / "Prova_7.dat").string();
  const std::string none = (work_ / "none_1.sim").string();
  struct Case {
    std::vector<std::string> args;
    int status;
  };
  const Case cases[] = {
      {{"dump"}, kToolUsage},
      {{"dump", (work_ / "notes.txt").string()}, kToolUsage},
      {{"dump", "--kind", "semaforo", sim}, kToolUsage},
      {{"dump", "--format", "xml", sim}, kToolUsage},
      {{"dump", "--cells", "-1", dat}, kToolUsage},
      {{"dump", two.string()}, kToolUsage},
      {{"dump", two.string(), "--line", "Prova"}, kToolUsage},
      {{"dump", two.string(), "--line", "Prova", "--number", "7"}, kToolSuccess},
      {{"dump", none}, kToolFileFault},
      {{"verify"}, kToolUsage},
      {{"verify", none}, kToolFileFault},
      {{"verify", two.string()}, kToolUsage},
      {{"diff", sim}, kToolUsage},
      {{"diff", sim, dat}, kToolUsage},
      {{"diff", sim, none}, kToolFileFault},
      {{"diff", "--format", "yaml", sim, sim}, kToolUsage},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    const ToolRun run = run_scenario(c.args);
    EXPECT_EQ(run.status, c.status) << run.err;
    if (c.status == kToolUsage) {
      EXPECT_EQ(lines_of(run.err).size(), 1u) << run.err;
    }
  }
  for (const char* command : {"dump", "verify", "diff"}) {
    const ToolRun help = run_scenario({command, "--help"});
    EXPECT_EQ(help.status, kToolSuccess) << command;
    EXPECT_TRUE(contains(help.out, "--line")) << help.out;
  }
}

TEST_F(InspectCommands, DamagedFilesEndDumpAndDiffWithAMessageNamingTheByte) {
  const std::filesystem::path good = plain_set("good");
  const std::filesystem::path bad = plain_set("bad");
  change_byte(bad / "Prova_7.sim", 2929 + 14, [](char) { return '\xFF'; });
  change_byte(bad / "Prova_7.sim", 2929 + 15, [](char) { return '\xFF'; });
  const std::string message = (bad / "Prova_7.sim").string() + ": byte 2943: slot 86's name";

  const ToolRun dump = run_scenario({"dump", (bad / "Prova_7.sim").string()});
  EXPECT_EQ(dump.status, 1);
  EXPECT_EQ(dump.out, "");
  EXPECT_TRUE(dump.err.starts_with(message)) << dump.err;

  const ToolRun diff =
      run_scenario({"diff", good.string(), bad.string(), "--line", "Prova", "--number", "7"});
  EXPECT_EQ(diff.status, kDiffDamaged);
  EXPECT_TRUE(diff.err.starts_with(message)) << diff.err;

  // A cell file whose table gives it a gigabyte of cells is refused before it is read.
  const std::filesystem::path huge = plain_set("huge");
  for (std::size_t k = 0; k < 4; ++k) {
    change_byte(huge / "Prova_7.sim", 84 * 34 + 5 + k,
                [k](char) { return k == 3 ? '\x7F' : '\xFF'; });
  }
  const ToolRun cells = run_scenario({"dump", (huge / "Prova_7.dat").string()});
  EXPECT_EQ(cells.status, 1);
  EXPECT_TRUE(contains(cells.err, "Prova_7.dat: byte 3615: the file ends inside cell 241"))
      << cells.err;
}

}  // namespace
}  // namespace scenario::tool
