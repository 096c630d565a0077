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
           "--number", "1", "-o", (folder_ / "no such folder" / "r.html").string()});
  EXPECT_EQ(result.status, 74);
  EXPECT_NE(result.err.find("scenario: cannot go on: "), std::string::npos);
  EXPECT_NE(result.err.find("no such folder"), std::string::npos);
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
