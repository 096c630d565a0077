#include <gtest/gtest.h>

#include <cstdlib>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "compile_command.h"
#include "model/error_meanings.h"
#include "support/test_support.h"
#include "tool_main.h"

namespace scenario::tool {
namespace {

using scenario::testing::file_names;
using scenario::testing::read_file;
using scenario::testing::TempFolder;
using scenario::testing::write_file;

// The identity of every scenario below, and the names of its binary files.
constexpr const char* kLine = "Prova Breve";
constexpr const char* kNumber = "7";
const std::vector<std::string> kAllOutputs = {"Prova Breve_7.dat", "Prova Breve_7.sim",
                                              "Prova Breve_linea.dat"};

// A route 5000 m long (cells 0 to 240) without cab signalling; the features follow from line 5.
std::string route_with(const std::string& features) {
  return "[generale]\n"
         "lunghezza percorso, 5000\n"
         "ripetizione segnali 9 codici, 0, 0\n"
         "[curve]\n" +
         features + "[fine]\n";
}

// A train whose records follow from line 4.
std::string train_with(const std::string& records) {
  return "[generale]\n"
         "numero vetture, 4\n"
         "[stazioni]\n" +
         records + "[fine]\n";
}

std::string station(int position, int length) {
  return "stazione, " + std::to_string(position) + ", 12, " + std::to_string(length) +
         ", 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, FERMATA\n";
}

// Cells 54 to 56 before the slowdown start (cell 61) are taken by code changes, so the first
// approach window of the placement has no room.
constexpr const char* kSlowdownWindowFull =
    "abbattimento, 2800, 180\nabbattimento, 2750, 180\nabbattimento, 2700, 180\n"
    "rallentamento, 3000, 120, 200, 0, 0, 0\n";

// 78 direction boards take the scenario-table slots 80 down to 3: no room is left for a station.
std::string route_full_of_boards() {
  std::string features;
  for (int k = 0; k < 78; ++k) {
    features += "cartello_indicatore, " + std::to_string(1000 + 100 * k) + ", B\n";
  }
  return "[generale]\nlunghezza percorso, 10000\nripetizione segnali 9 codici, 0, 0\n[curve]\n" +
         features + "[fine]\n";
}

struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};

class CompileCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    // The working folder goes under TMPDIR: a private one shows that nothing is left behind.
    const char* previous = std::getenv("TMPDIR");
    if (previous) previous_tmpdir_ = previous;
    ::setenv("TMPDIR", private_temp_.path().c_str(), 1);
  }
  void TearDown() override {
    if (previous_tmpdir_) {
      ::setenv("TMPDIR", previous_tmpdir_->c_str(), 1);
    } else {
      ::unsetenv("TMPDIR");
    }
  }

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

  ToolRun compile(std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {"compile",       "--route", route_.string(), "--train",
                                     train_.string(), "--line",  kLine,           "--number",
                                     kNumber,         "--out",   out_.string()};
    args.insert(args.end(), extra.begin(), extra.end());
    return run(args);
  }

  TempFolder folder_;
  TempFolder private_temp_;
  // Blanks in the names, as authors' files often have.
  std::filesystem::path route_ = folder_ / "my route.txt";
  std::filesystem::path train_ = folder_ / "my train.txt";
  std::filesystem::path out_ = folder_ / "compiled";

 private:
  std::optional<std::string> previous_tmpdir_;
};

enum class From { none, route, train };

struct BrokenCase {
  const char* what;
  std::optional<std::string> route;  // nullopt: the file does not exist
  std::optional<std::string> train;
  std::int32_t code;
  std::int32_t position;
  From file;
  std::int32_t line;  // 0: the failure has no line
  std::optional<std::int32_t> fatal;
  int status;
  std::size_t outputs;  // binary files delivered
};

TEST_F(CompileCommand, ReportsEachFailureWithItsCodePositionFileAndLine) {
  const std::string good_route = route_with("");
  const std::string good_train = train_with("");
  // clang-format off
  const std::vector<BrokenCase> cases = {
      // The route half.
      {"route file missing", std::nullopt, good_train, 101, 0, From::route, 0, {}, 1, 0},
      // The line is where the file ran out.
      {"no [generale]", "lunghezza percorso, 5000\n[fine]\n", good_train,
       102, 0, From::route, 2, {}, 1, 0},
      {"route too long", "[generale]\nlunghezza percorso, 1000001\n[curve]\n[fine]\n", good_train,
       1, 0, From::route, 2, {}, 1, 0},
      {"route length beyond 32 bits", "[generale]\nlunghezza percorso, 99999999999\n[fine]\n",
       good_train, 25, 0, From::route, 2, {}, 1, 0},
      {"cab-signal start",
       "[generale]\nlunghezza percorso, 5000\nripetizione segnali 9 codici, 25, 0\n[curve]\n[fine]\n",
       good_train, 3, 0, From::route, 3, {}, 1, 3},
      {"cab-signal end",
       "[generale]\nlunghezza percorso, 5000\nripetizione segnali 9 codici, 0, 4025\n[curve]\n[fine]\n",
       good_train, 4, 0, From::route, 3, {}, 1, 3},
      {"cab-signal system",
       "[generale]\nlunghezza percorso, 5000\nripetizione segnali codici, 0, 0\n[curve]\n[fine]\n",
       good_train, 5, 0, From::route, 3, {}, 1, 3},
      {"gradient beyond the cells", route_with("pendenza, 20000, 5\n"), good_train,
       15, 20000, From::route, 5, {}, 1, 3},
      {"curve without class", route_with("curvad, 100, 200\n"), good_train,
       103, 0, From::route, 5, {}, 1, 3},
      {"two direction boards",
       route_with("cartello_indicatore, 1000, A\ncartello_indicatore, 1000, B\n"), good_train,
       6, 1000, From::route, 6, {}, 1, 3},
      {"speed boards on a direction board",
       route_with("cartello_indicatore, 1000, A\n"
                  "indicatori_vmax, 1000, 50, 60, 60, 0, 50, 60, 60, 0\n"), good_train,
       21, 1000, From::route, 6, {}, 1, 3},
      // Found after the train half, from route data: no record to point at.
      {"kilometre progressive",
       "[generale]\nlunghezza percorso, 5000\nprogressiva chilometrica uno, 0, 25, 0\n[curve]\n[fine]\n",
       good_train, 2, 0, From::none, 0, {}, 1, 3},
      // The train half.
      {"train file missing", good_route, std::nullopt, 25, 0, From::train, 0, {}, 1, 3},
      {"sand beyond 16 bits", good_route, train_with("sabbia, 40000\n"),
       25, 0, From::train, 4, {}, 1, 3},
      {"station off the 50 m grid", good_route, train_with(station(1025, 300)),
       8, 1025, From::train, 4, {}, 1, 3},
      {"station length", good_route, train_with(station(1000, 250)),
       9, 1000, From::train, 4, {}, 1, 3},
      {"speed beyond the cells", good_route, train_with("velocita, 20000, 30\n"),
       15, 20000, From::train, 4, {}, 1, 3},
      {"stations too close", good_route, train_with(station(1000, 300) + station(1200, 300)),
       22, 1200, From::train, 5, {}, 1, 3},
      {"station stop in cell 0", good_route, train_with(station(0, 100)),
       24, 0, From::train, 4, {}, 1, 3},
      {"no slot left for a station", route_full_of_boards(), train_with(station(1000, 300)),
       10, 0, From::train, 4, {}, 1, 3},
      {"two signals", good_route,
       train_with("segnale, 3000, 2, 5, 6, 0, 0, 0, 0, 0, 0, 0\n"
                  "segnale, 3000, 2, 5, 6, 0, 0, 0, 0, 0, 0, 0\n"),
       16, 3000, From::train, 5, {}, 1, 3},
      {"slowdown start taken", good_route,
       train_with("abbattimento, 3050, 180\nrallentamento, 3000, 60, 200, 0, 0, 0\n"),
       18, 3000, From::train, 5, {}, 1, 3},
      {"two code changes", good_route,
       train_with("abbattimento, 3000, 180\nabbattimento, 3000, 120\n"),
       7, 3000, From::train, 5, {}, 1, 3},
      // The placement of code changes.
      {"approach window full", good_route, train_with(kSlowdownWindowFull),
       12, 3050, From::none, 0, {}, 1, 3},
      // The reserved fields of cell 1 stop the run.
      {"direction board at 0 m", route_with("cartello_indicatore, 0, ZERO\n"), good_train,
       0, 0, From::none, 0, 1250, 2, 0},
      {"speed boards at 0 m", route_with("indicatori_vmax, 0, 0, 10, 0, 0, 0, 0, 0, 0\n"),
       good_train, 0, 0, From::none, 0, 1251, 2, 0},
  };
  // clang-format on

  for (const BrokenCase& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all(out_);
    std::filesystem::remove(route_);
    std::filesystem::remove(train_);
    if (c.route) write_file(route_, *c.route);
    if (c.train) write_file(train_, *c.train);

    const ToolRun run = compile({"--json"});

    EXPECT_EQ(run.status, c.status) << run.err;
    const auto report = nlohmann::json::parse(run.out);
    EXPECT_EQ(report["error_code"], c.code) << run.out;
    EXPECT_EQ(report["error_position"], c.position) << run.out;
    const nlohmann::json file = c.file == From::route   ? nlohmann::json(route_.string())
                                : c.file == From::train ? nlohmann::json(train_.string())
                                                        : nlohmann::json(nullptr);
    EXPECT_EQ(report["file"], file) << run.out;
    EXPECT_EQ(report["line"], c.line == 0 ? nlohmann::json(nullptr) : nlohmann::json(c.line))
        << run.out;
    EXPECT_EQ(report["fatal"], c.fatal ? nlohmann::json(*c.fatal) : nlohmann::json(nullptr));
    EXPECT_EQ(report["outputs"].size(), c.outputs) << run.out;
    EXPECT_EQ(file_names(out_).size(), c.outputs);
    // The author's files are only read.
    if (c.route) {
      EXPECT_EQ(read_file(route_), *c.route);
    }
    if (c.train) {
      EXPECT_EQ(read_file(train_), *c.train);
    }
    EXPECT_TRUE(file_names(private_temp_.path()).empty()) << "the working folder was left";
  }
}

TEST_F(CompileCommand, ReportsLikeACompilerOnStandardError) {
  struct Case {
    const char* what;
    std::string route;
    std::string train;
    std::string expected;  // "{route}" and "{train}" stand for the author's files
  };
  const std::vector<Case> cases = {
      {"a record with a line and a position: the caret under its position, a note at the "
       "route's length",
       route_with("pendenza, 20000, 5\n"), train_with(""),
       "{route}:5:11: error 15: record position beyond the end of the line's cells (at 20000 m)\n"
       "    5 | pendenza, 20000, 5\n"
       "      |           ^~~~~\n"
       "{route}:2:21: note: the cells end at cell 240 (the route's length plus 7000 m): a record "
       "needs its position + 100 m within them, so at most 11900 m\n"
       "    2 | lunghezza percorso, 5000\n"
       "      |                     ^~~~\n"
       "{wrote}"},
      {"a code without a position: the caret under the keyword", route_with(""),
       train_with(station(0, 100)),
       "{train}:4:1: error 24: station stop cell would be cell 1 or before\n"
       "    4 | stazione, 0, 12, 100, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, FERMATA\n"
       "      | ^~~~~~~~\n"
       "note: its zone ends at 50 m, so its stop cell would be cell 0\n"
       "{wrote}"},
      {"a code without a source: notes at the slowdown and at the window's code changes",
       route_with(""), train_with(kSlowdownWindowFull),
       "error 12: no free cell in a code-change window on the approach to a slowdown start "
       "(at 3050 m)\n"
       "{train}:7:16: note: cell 61 holds the start of the slowdown placed here\n"
       "    7 | rallentamento, 3000, 120, 200, 0, 0, 0\n"
       "      |                ^~~~\n"
       "{train}:4:15: note: window cell 56 holds the code change placed here\n"
       "    4 | abbattimento, 2800, 180\n"
       "      |               ^~~~\n"
       "{train}:5:15: note: window cell 55 holds the code change placed here\n"
       "    5 | abbattimento, 2750, 180\n"
       "      |               ^~~~\n"
       "{train}:6:15: note: window cell 54 holds the code change placed here\n"
       "    6 | abbattimento, 2700, 180\n"
       "      |               ^~~~\n"
       "{wrote}"},
      {"the error box, with the record that wrote cell 1",
       route_with("cartello_indicatore, 0, ZERO\n"), train_with(""),
       "error 1250: a reserved marker field was already in use (error box)\n"
       "{route}:5:22: note: cell 1 holds the direction board placed here; its first value is "
       "reserved for a marker\n"
       "    5 | cartello_indicatore, 0, ZERO\n"
       "      |                      ^\n"
       "note: the pack shows its error box and writes no binary file\n"},
      {"a clean run says what it wrote", route_with(""), train_with(""), "{wrote}"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    write_file(route_, c.route);
    write_file(train_, c.train);
    std::string expected = c.expected;
    for (const auto& [name, path] :
         {std::pair{"{route}", &route_}, std::pair{"{train}", &train_}}) {
      for (auto at = expected.find(name); at != std::string::npos; at = expected.find(name)) {
        expected.replace(at, 7, path->string());
      }
    }
    // A run that delivered its files says so in one last line.
    if (const auto at = expected.find("{wrote}"); at != std::string::npos) {
      expected.replace(at, 7,
                       "wrote Prova Breve_linea.dat, Prova Breve_7.sim, Prova Breve_7.dat in " +
                           out_.string() + "\n");
    }
    const ToolRun run = compile();
    EXPECT_EQ(run.err, expected);
    EXPECT_EQ(run.out, "");
  }
}

TEST_F(CompileCommand, ReadFaultCarriesTheReadersMessageNamingTheAuthorsFile) {
  write_file(route_, route_with(""));
  write_file(train_, train_with("sabbia, 40000\n"));
  ToolRun run = compile({"--json"});
  std::string message = nlohmann::json::parse(run.out)["message"];
  const std::string meaning(error_meaning(FailureCode::read_fault));
  ASSERT_GT(message.size(), meaning.size() + 2) << message;
  EXPECT_EQ(message.substr(0, meaning.size() + 2), meaning + ": ");

  // The run reads a copy in its working folder; the author is told about their own file.
  std::filesystem::remove(train_);
  run = compile({"--json"});
  message = nlohmann::json::parse(run.out)["message"];
  EXPECT_NE(message.find(train_.string()), std::string::npos) << message;
  EXPECT_EQ(message.find("scenario-compile-"), std::string::npos) << message;
}

TEST_F(CompileCommand, DeliversTheBinaryFilesReplacingOlderOnesAndNothingElse) {
  write_file(route_, route_with(""));
  write_file(train_, train_with(station(1000, 300)));
  std::filesystem::create_directory(out_);
  write_file(out_ / "Prova Breve_7.sim", std::string(100000, 'x'));
  write_file(out_ / "notes of mine.txt", "keep me");

  const ToolRun run = compile({"--json"});

  EXPECT_EQ(run.status, kToolSuccess) << run.out;
  const auto report = nlohmann::json::parse(run.out);
  EXPECT_EQ(report["error_code"], 0);
  EXPECT_EQ(report["message"], nullptr);
  EXPECT_EQ(report["outputs"].size(), 3u);
  std::vector<std::string> expected = kAllOutputs;
  expected.push_back("notes of mine.txt");
  EXPECT_EQ(file_names(out_), expected);
  EXPECT_LT(read_file(out_ / "Prova Breve_7.sim").size(), 100000u);
  EXPECT_EQ(read_file(out_ / "notes of mine.txt"), "keep me");
}

// The check a pack makes before it is written: the binary files go with the working folder, and
// the compile makes no second folder that another one could take for abandoned.
TEST_F(CompileCommand, WithoutAnOutputFolderChecksAndWritesNothing) {
  write_file(train_, train_with(station(1000, 300)));
  const struct {
    std::string route;
    int status;
  } cases[] = {{route_with(""), kToolSuccess},
               {route_with("curva, 1000, 200\n"), kToolRecordedFailure},
               {"[generale]\nlunghezza percorso, 2000001\n[fine]\n", kToolRecordedFailure}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.route);
    write_file(route_, c.route);
    CompileRequest request;
    request.route = route_;
    request.train = train_;
    request.line_name = kLine;
    request.train_number = kNumber;
    request.deliver = false;
    const CompileResult result = compile_scenario(request);
    EXPECT_EQ(result.status, c.status);
    EXPECT_TRUE(result.outputs.empty());
    EXPECT_TRUE(file_names(private_temp_.path()).empty());
    EXPECT_EQ(file_names(folder_.path()),
              (std::vector<std::string>{"my route.txt", "my train.txt"}));
  }
}

TEST_F(CompileCommand, WithoutTheProfileWritesOnlyTheTableAndTheCells) {
  write_file(route_, route_with("curvad3, 1000, 200\n"));
  write_file(train_, train_with(""));
  const ToolRun run = compile({"--no-profile", "--json"});
  EXPECT_EQ(run.status, kToolSuccess) << run.out;
  EXPECT_EQ(run.err, "");  // standard output alone tells what was written
  EXPECT_EQ(nlohmann::json::parse(run.out)["outputs"],
            nlohmann::json({"Prova Breve_7.sim", "Prova Breve_7.dat"}));
  EXPECT_EQ(file_names(out_), (std::vector<std::string>{"Prova Breve_7.dat", "Prova Breve_7.sim"}));
}

TEST_F(CompileCommand, CompilesTheFileAsThePackWritesIt) {
  // The pack writes CR LF line ends and nothing from the end sentinel on; past it here is a
  // record that would fail if it were read.
  write_file(route_, route_with("") + "riferimento fine del file\r\nnot the end\r\n");
  write_file(train_, train_with("") + "riferimento fine del file\nsabbia, 40000\n");
  const ToolRun run = compile();
  EXPECT_EQ(run.status, kToolSuccess) << run.err;
}

TEST_F(CompileCommand, FileFaultsEndWithStatus74) {
  write_file(route_, route_with(""));
  write_file(train_, train_with(""));
  write_file(out_, "a file where the folder should be");
  ToolRun run = compile();
  EXPECT_EQ(run.status, kToolFileFault);
  EXPECT_NE(run.err.find(out_.string()), std::string::npos) << run.err;

  std::filesystem::remove(out_);
  std::filesystem::remove(route_);
  std::filesystem::create_directory(route_);
  run = compile({"--json"});
  EXPECT_EQ(run.status, kToolFileFault);
  const std::string message = nlohmann::json::parse(run.out)["message"];
  EXPECT_NE(message.find(route_.string()), std::string::npos) << message;
}

TEST_F(CompileCommand, UsageErrorsEndWithStatus64) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"build"},
      {"compile"},
      {"compile", "--route", "r", "--train", "t", "--line", "L", "--number", "1"},
      {"compile", "--route", "r", "--train", "t", "--line", "../L", "--number", "1", "--out", "o"},
      {"compile", "--route", "r", "--train", "t", "--line", "L", "--number", "a\\1", "--out", "o"},
      {"compile", "--route", "r", "--train", "t", "--line", "L", "--number", "1", "--out", "o",
       "--colour"},
  };
  for (const auto& args : cases) {
    SCOPED_TRACE(::testing::PrintToString(args));
    const ToolRun result = run(args);
    EXPECT_EQ(result.status, kToolUsage);
    EXPECT_FALSE(result.err.empty());
    EXPECT_TRUE(file_names(folder_.path()).empty());
  }
}

TEST_F(CompileCommand, HelpIsNotAnError) {
  const ToolRun result = run({"compile", "--help"});
  EXPECT_EQ(result.status, kToolSuccess);
  EXPECT_NE(result.out.find("--no-profile"), std::string::npos) << result.out;
}

}  // namespace
}  // namespace scenario::tool
