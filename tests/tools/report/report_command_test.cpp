#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "support/test_support.h"
#include "tool_main.h"

namespace scenario::tool {
namespace {

using scenario::testing::file_names;
using scenario::testing::read_file;
using scenario::testing::TempFolder;
using scenario::testing::write_file;

struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};

ToolRun run(std::vector<std::string> args) {
  args.insert(args.begin(), "scenario");
  std::vector<const char*> argv;
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  std::ostringstream out;
  std::ostringstream err;
  ToolRun result;
  result.status = run_tool(static_cast<int>(argv.size()), argv.data(), out, err);
  result.out = out.str();
  result.err = err.str();
  return result;
}

// A route 5000 m long (cells 0 to 240) without cab signalling; the features follow from line 5.
std::string route_with(const std::string& features) {
  return "[generale]\nlunghezza percorso, 5000\nripetizione segnali 9 codici, 0, 0\n[curve]\n" +
         features + "[fine]\n";
}

std::string train_with(const std::string& records) {
  return "[generale]\nnumero vetture, 4\nvelocita, 0, 60\n[stazioni]\n" + records + "[fine]\n";
}

// The attribute `name` of every element of class `cls` in `page`, in order.
std::vector<std::string> attributes(const std::string& page, const std::string& cls,
                                    const std::string& name) {
  std::vector<std::string> values;
  const std::regex element("<[a-z]+ [^>]*class=\"" + cls + "[ \"][^>]*>");
  const std::regex attribute(" " + name + "=\"([^\"]*)\"");
  for (auto it = std::sregex_iterator(page.begin(), page.end(), element);
       it != std::sregex_iterator(); ++it) {
    std::smatch value;
    const std::string tag = it->str();
    if (std::regex_search(tag, value, attribute)) values.push_back(value[1]);
  }
  return values;
}

// The rows of the table in the section `id`, each as the texts of its cells.
std::vector<std::vector<std::string>> table_rows(const std::string& page, const std::string& id) {
  const auto section = page.find("<section class=\"table\" id=\"" + id + "\">");
  if (section == std::string::npos) return {};
  const std::string table = page.substr(section, page.find("</section>", section) - section);
  const std::string body = table.substr(std::min(table.find("<tbody>"), table.size()));
  std::vector<std::vector<std::string>> rows;
  const std::regex row("<tr>(.*?)</tr>");
  const std::regex cell("<td[^>]*>([^<]*)</td>");
  for (auto r = std::sregex_iterator(body.begin(), body.end(), row); r != std::sregex_iterator();
       ++r) {
    const std::string cells = (*r)[1];
    rows.emplace_back();
    for (auto c = std::sregex_iterator(cells.begin(), cells.end(), cell);
         c != std::sregex_iterator(); ++c) {
      rows.back().push_back((*c)[1]);
    }
  }
  return rows;
}

class ReportCommand : public ::testing::Test {
 protected:
  ToolRun report(const std::string& route, const std::string& train,
                 std::vector<std::string> extra = {}) {
    write_file(route_, route);
    write_file(train_, train);
    std::vector<std::string> args = {"report",      "--route",       route_.string(),
                                     "--train",     train_.string(), "--line",
                                     "Prova Breve", "--number",      "7",
                                     "-o",          page_.string()};
    args.insert(args.end(), extra.begin(), extra.end());
    return run(args);
  }

  TempFolder folder_;
  std::filesystem::path route_ = folder_ / "my route.txt";
  std::filesystem::path train_ = folder_ / "my train.txt";
  std::filesystem::path page_ = folder_ / "report.html";
};

TEST_F(ReportCommand, WritesThePageAndThePicturesAndOnlyReadsTheAuthorsFiles) {
  const std::string route = route_with("curvad3, 800, 400\n");
  const std::string train =
      train_with("stazione, 1000, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 8,0,0, UNO\n");
  const ToolRun result = report(route, train,
                                {"--map-svg", (folder_ / "map.svg").string(), "--profile-svg",
                                 (folder_ / "profile.svg").string()});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "wrote " + page_.string() + ", " + (folder_ / "map.svg").string() + ", " +
                            (folder_ / "profile.svg").string() + "\n");
  EXPECT_EQ(read_file(route_), route);
  EXPECT_EQ(read_file(train_), train);
  // No binary file is kept: the page and the pictures are all the command leaves.
  EXPECT_EQ(file_names(folder_.path()),
            (std::vector<std::string>{"map.svg", "my route.txt", "my train.txt", "profile.svg",
                                      "report.html"}));
  const std::string page = read_file(page_);
  const std::string map = read_file(folder_ / "map.svg");
  EXPECT_EQ(map.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg ", 0), 0U);
  EXPECT_NE(page.find(map.substr(map.find("<svg"), map.size() - map.find("<svg") - 1)),
            std::string::npos);
  EXPECT_EQ(attributes(page, "curve", "data-from-m"), (std::vector<std::string>{"800"}));
  EXPECT_EQ(attributes(page, "curve", "data-to-m"), (std::vector<std::string>{"1200"}));
  EXPECT_EQ(attributes(page, "station", "data-position"), (std::vector<std::string>{"1000"}));
}

TEST_F(ReportCommand, WritesIntoAFolderGivenForAnOutputAndMakesMissingFolders) {
  std::filesystem::create_directory(folder_ / "esistente");
  struct Case {
    std::string option;
    std::filesystem::path given;
    std::filesystem::path written;
  };
  const Case cases[] = {
      {"-o", folder_ / "nuova" / "cartella" / "",
       folder_ / "nuova" / "cartella" / "Prova Breve_7.html"},
      {"-o", folder_ / "esistente", folder_ / "esistente" / "Prova Breve_7.html"},
      {"-o", folder_ / "x" / "y" / "pagina.html", folder_ / "x" / "y" / "pagina.html"},
      {"-o", folder_ / "senza estensione", folder_ / "senza estensione"},
      {"--map-svg", folder_ / "disegni" / "", folder_ / "disegni" / "Prova Breve_7_map.svg"},
      {"--profile-svg", folder_ / "esistente", folder_ / "esistente" / "Prova Breve_7_profile.svg"},
      {"--map-svg", folder_ / "p" / "q" / "mappa.svg", folder_ / "p" / "q" / "mappa.svg"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.option + " " + c.given.string());
    const std::filesystem::path page = page_;
    std::vector<std::string> extra = {c.option, c.given.string()};
    if (c.option == "-o") {
      page_ = c.given;
      extra.clear();
    }
    const ToolRun result = report(route_with(""), train_with(""), extra);
    page_ = page;
    EXPECT_EQ(result.status, 0) << result.err;
    ASSERT_TRUE(std::filesystem::is_regular_file(c.written));
    const std::string text = read_file(c.written);
    EXPECT_TRUE(text.starts_with(c.option == "-o" ? "<!DOCTYPE html>" : "<?xml"))
        << text.substr(0, 40);
    std::filesystem::remove(c.written);
  }
}

TEST_F(ReportCommand, ListsWhatTheCheckFindsInTheTextUnderTheHeader) {
  // A board text cut at a comma on line 5, and a slowdown at 1000 m on line 5 of the train.
  const ToolRun found = report(route_with("cartello_indicatore, 1350, (DEV, U.)\n"),
                               train_with("rallentamento, 1000, 60, 200, 0, 0, 0\n"));
  EXPECT_EQ(found.status, 0) << found.err;
  const std::string page = read_file(page_);
  const auto list = page.find("<section id=\"diagnostics\">");
  ASSERT_NE(list, std::string::npos);
  EXPECT_LT(list, page.find("<section id=\"map\""));
  EXPECT_EQ(attributes(page, "diagnostic", "data-severity"),
            (std::vector<std::string>{"warning", "note"}));
  EXPECT_NE(page.find("my route.txt:5:32</span> warning W06: the direction-board text is cut"),
            std::string::npos);
  EXPECT_NE(page.find("<pre>cartello_indicatore, 1350, (DEV, U.)</pre>"), std::string::npos);
  EXPECT_NE(page.find("my train.txt:5:16</span> note W15: "), std::string::npos);

  // A text the check has nothing to say about gets no list.
  EXPECT_EQ(report(route_with(""), train_with("")).status, 0);
  EXPECT_EQ(read_file(page_).find("id=\"diagnostics\""), std::string::npos);
}

TEST_F(ReportCommand, ToldTheTrainFilesCodeChangesFromThePlacementsAsTheRulesPlaceThem) {
  // The slowdown at 3000 m, 200 m long: start cell 61, end 65, warning 37. The placement puts
  // one code change in each window before the start, on the nearest free cell: 56, 50, 43; at
  // 60 km/h it walks the slowdown, which ends before its counter reaches 8. The signal at 1450 m
  // (cell 30) lies 7 cells before the warning: the cell before it (29) and the one before that
  // (28) hold the train file's code changes, so the one on 29 is capped to 180.
  const std::string train = train_with(
      "abbattimento, 1000, 200\nabbattimento, 1450, 200\nabbattimento, 1400, 100\n"
      "segnale, 1450, 2, 5, 6, 0, 0, 0, 0, 0, 0, 0\n"
      "rallentamento, 3000, 60, 200, 0, 0, 0\n");
  const ToolRun result = report(route_with(""), train);
  ASSERT_EQ(result.status, 0) << result.err;
  const std::string page = read_file(page_);
  EXPECT_EQ(attributes(page, "code-change", "data-cell"),
            (std::vector<std::string>{"20", "28", "29", "43", "50", "56"}));
  EXPECT_EQ(attributes(page, "code-change", "data-origin"),
            (std::vector<std::string>{"train-file", "train-file", "train-file", "placement-pass",
                                      "placement-pass", "placement-pass"}));
  EXPECT_EQ(attributes(page, "code-change", "data-value"),
            (std::vector<std::string>{"200", "100", "180", "180", "180", "180"}));
  EXPECT_NE(page.find("<td>train file (200, capped by the placement)</td>"), std::string::npos);
}

TEST_F(ReportCommand, GivesEachFeatureByTheMetresItsRecordWroteAndThenItsCell) {
  // Positions off the cells' metres, so that a cell's own metres cannot pass for the author's.
  // A signal or board stands in cell p / 50 + 1, a code change in p / 50, a station stops in
  // the cell before its zone's end (3200 m), a mountain covers cells inizio / 50 to fine / 50 - 1,
  // all rounded. The two slowdowns overlap: the end of the one at 3010 m (4010 m, cell 81) comes
  // first, so it pairs with the start of the one at 3510 m, and the other end with 3010.
  const std::string route = route_with(
      "montagna, 1010, 1990, 2\n"
      "indicatori_vmax, 2410, 100, 110, 110, 0, 90, 95, 95, 1\n"
      "cartello_indicatore, 1360, (DEV.U.)\n");
  const std::string train = train_with(
      "stazione, 3000, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 8,0,0, UNO\n"
      "segnale, 2210, 2, 5, 6, 0, 0, 0, 0, 0, 0, 0\n"
      "rallentamento, 3010, 60, 1000, 1, 0, 0\n"
      "rallentamento, 3510, 50, 1000, 1, 0, 0\n"
      "abbattimento, 1010, 200\n");
  const ToolRun result = report(route, train);
  ASSERT_EQ(result.status, 0) << result.err;
  const std::string page = read_file(page_);

  struct Row {
    const char* table;
    std::size_t row;
    std::vector<std::pair<std::size_t, std::string>> cells;  // column, text
  };
  const std::vector<Row> rows = {
      {"stations", 0, {{2, "3000"}, {7, "cell 63 (3150 m)"}, {8, "my train.txt:5"}}},
      {"signals", 0, {{0, "2210 m (cell 45)"}, {12, "my train.txt:6"}}},
      {"slowdowns",
       0,
       {{0, "3010 m (cell 61)"},
        {1, "4510 m (cell 91)"},
        {5, "1810 m (cell 37)"},
        {7, "my train.txt:7, my train.txt:8"}}},
      {"slowdowns",
       1,
       {{0, "3510 m (cell 71)"},
        {1, "4010 m (cell 81)"},
        {5, "2310 m (cell 47)"},
        {7, "my train.txt:8, my train.txt:7"}}},
      {"direction-boards", 0, {{0, "1360 m (cell 28)"}, {3, "my route.txt:7"}}},
      {"speed-boards", 0, {{0, "2410 m (cell 49)"}, {6, "my route.txt:6"}}},
      {"code-changes", 0, {{0, "1010 m (cell 20)"}, {3, "train file"}, {4, "my train.txt:9"}}},
      {"mountains", 0, {{0, "1010 to 1990"}, {1, "cells 20 to 39 (1000 to 2000 m)"}}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::string(r.table) + " row " + std::to_string(r.row));
    const auto table = table_rows(page, r.table);
    ASSERT_LT(r.row, table.size());
    for (const auto& [column, text] : r.cells) {
      ASSERT_LT(column, table[r.row].size());
      EXPECT_EQ(table[r.row][column], text) << "column " << column;
    }
  }
  // The placement's code changes have no record: they are given by their cells.
  const auto codes = table_rows(page, "code-changes");
  ASSERT_GT(codes.size(), 1U);
  for (std::size_t k = 1; k < codes.size(); ++k) {
    SCOPED_TRACE(k);
    ASSERT_EQ(codes[k].size(), 5U);
    EXPECT_EQ(codes[k][3], "placement pass");
    std::smatch cell;
    ASSERT_TRUE(std::regex_match(codes[k][0], cell, std::regex("cell (\\d+) \\((\\d+) m\\)")))
        << codes[k][0];
    EXPECT_EQ(std::stoi(cell[2]), 50 * std::stoi(cell[1]));
    EXPECT_EQ(codes[k][4], "-");
  }
  // The pictures' titles name them the same way.
  for (const char* title :
       {"<title>signal at 2210 m (cell 45)</title>", "<title>code 200 at 1010 m (cell 20)</title>",
        "slowdown to 60 km/h, 3010 m (cell 61) to 4510 m (cell 91)",
        "<title>maximum-speed boards at 2410 m (cell 49):",
        "mountain of type 2, 1010 to 1990 m as written (cells 20 to 39"}) {
    EXPECT_NE(page.find(title), std::string::npos) << title;
  }
}

TEST_F(ReportCommand, APageForARecordedFailureSaysSoAtTheTop) {
  const ToolRun result = report(
      route_with("cartello_indicatore, 1000, A\ncartello_indicatore, 1000, B\n"), train_with(""));
  EXPECT_EQ(result.status, 1);
  // The same as `scenario compile` writes.
  EXPECT_EQ(result.err, route_.string() +
                            ":6:22: error 6: direction board on a cell already taken (at 1000 m)\n"
                            "    6 | cartello_indicatore, 1000, B\n"
                            "      |                      ^~~~\n" +
                            route_.string() +
                            ":5:22: note: cell 21 already holds the direction board placed here\n"
                            "    5 | cartello_indicatore, 1000, A\n"
                            "      |                      ^~~~\n"
                            "wrote " +
                            page_.string() + "\n");
  const std::string page = read_file(page_);
  const auto failure = page.find("class=\"outcome failure\"");
  ASSERT_NE(failure, std::string::npos);
  EXPECT_LT(failure, page.find("<section id=\"map\""));
  EXPECT_NE(page.find("data-error-code=\"6\""), std::string::npos);
  EXPECT_NE(page.find("my route.txt:6"), std::string::npos);
}

TEST_F(ReportCommand, AnErrorBoxAndAnUncompiledLineAreSaidToo) {
  const ToolRun boxed = report(route_with("cartello_indicatore, 0, (ORIGINE)\n"), train_with(""));
  EXPECT_EQ(boxed.status, 2);
  EXPECT_NE(read_file(page_).find("data-fatal=\"1250\""), std::string::npos);

  const ToolRun nothing = report("[generale]\n[curve]\n[fine]\n", train_with(""),
                                 {"--profile-svg", (folder_ / "profile.svg").string()});
  EXPECT_EQ(nothing.status, 1);
  EXPECT_NE(read_file(page_).find("class=\"outcome nothing\""), std::string::npos);
  EXPECT_NE(read_file(folder_ / "profile.svg").find("class=\"profile missing\""),
            std::string::npos);
}

TEST_F(ReportCommand, WithoutTheProfileTheMapSaysWhyItIsMissing) {
  const ToolRun result =
      report(route_with("curvad3, 800, 400\n"), train_with(""), {"--no-profile"});
  EXPECT_EQ(result.status, 0) << result.err;
  const std::string page = read_file(page_);
  EXPECT_NE(page.find("class=\"map missing\""), std::string::npos);
  EXPECT_NE(page.find("No map: compiled without the line profile"), std::string::npos);
  EXPECT_EQ(attributes(page, "speed-limit", "data-kmh"), (std::vector<std::string>{"60"}));
}

TEST_F(ReportCommand, APageThatCannotBeWrittenIsAFileFault) {
  write_file(route_, route_with(""));
  write_file(train_, train_with(""));
  const ToolRun result =
      run({"report", "--route", route_.string(), "--train", train_.string(), "--line", "L",
           "--number", "1", "-o", (folder_ / "my route.txt" / "r.html").string()});
  // Its folder would be the route file, which no folder can replace.
  EXPECT_EQ(result.status, 74);
  EXPECT_NE(result.err.find("scenario: cannot go on: "), std::string::npos);
  EXPECT_NE(result.err.find("my route.txt/r.html: cannot make its folder"), std::string::npos)
      << result.err;
}

TEST_F(ReportCommand, NeverWritesOverTheAuthorsFiles) {
  const std::string route = route_with("");
  const std::string train = train_with("");
  write_file(route_, route);
  write_file(train_, train);
  struct Case {
    const char* what;
    std::vector<std::string> outputs;
  };
  const std::vector<Case> cases = {
      {"the page on the route file", {"-o", route_.string()}},
      {"the map on the train file", {"-o", page_.string(), "--map-svg", train_.string()}},
      {"the profile on the route file by another path",
       {"-o", page_.string(), "--profile-svg", (folder_.path() / "." / "my route.txt").string()}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::string> args = {"report",  "--route",       route_.string(),
                                     "--train", train_.string(), "--line",
                                     "L",       "--number",      "1"};
    args.insert(args.end(), c.outputs.begin(), c.outputs.end());
    const ToolRun result = run(args);
    EXPECT_EQ(result.status, 64);
    EXPECT_NE(result.err.find("never writes over the author's files"), std::string::npos);
    EXPECT_EQ(read_file(route_), route);
    EXPECT_EQ(read_file(train_), train);
    EXPECT_FALSE(std::filesystem::exists(page_));
  }
}

TEST_F(ReportCommand, HasHelpAndRefusesAWrongCommandLine) {
  const ToolRun help = run({"report", "--help"});
  EXPECT_EQ(help.status, 0);
  for (const char* option : {"--route", "--train", "--line", "--number", "--output", "--map-svg",
                             "--profile-svg", "--no-profile"}) {
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
  }
  struct Case {
    const char* what;
    std::vector<std::string> args;
  };
  const std::vector<Case> wrong = {
      {"no page", {"report", "--route", "r", "--train", "t", "--line", "L", "--number", "1"}},
      {"no route", {"report", "--train", "t", "--line", "L", "--number", "1", "-o", "p"}},
      {"a line name leading elsewhere",
       {"report", "--route", "r", "--train", "t", "--line", "../L", "--number", "1", "-o", "p"}},
      {"an unknown option",
       {"report", "--route", "r", "--train", "t", "--line", "L", "--number", "1", "-o", "p",
        "--json"}},
  };
  for (const Case& c : wrong) {
    SCOPED_TRACE(c.what);
    const ToolRun result = run(c.args);
    EXPECT_EQ(result.status, 64);
    EXPECT_FALSE(std::filesystem::exists("p"));
  }
}

}  // namespace
}  // namespace scenario::tool
