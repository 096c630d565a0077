#include <gtest/gtest.h>

#include <cstdlib>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "author_text/author_text.h"
#include "check_cli/check_command.h"
#include "check_cli/diagnostic_text.h"
#include "compile_command.h"
#include "support/test_support.h"
#include "tool_main.h"

namespace scenario::tool {
namespace {

using check::Diagnostic;
using check::Level;
using scenario::testing::file_names;
using scenario::testing::TempFolder;
using scenario::testing::write_file;

Diagnostic diagnostic(Level level, std::string code, check::SourceSpan where, std::string message) {
  Diagnostic d;
  d.level = level;
  d.code = std::move(code);
  d.where = where;
  d.message = std::move(message);
  return d;
}

TEST(DiagnosticText, PutsTheCaretUnderTheFieldAsTheLineShowsIt) {
  // Line 2 has a tab before the field; the file is code page text, so line 3's two bytes of
  // a UTF-8 letter are two letters of the code page, as the pack reads them, and line 4 has
  // one. Every line is shown as UTF-8.
  const SourceText route("[generale]\r\n\tsfondo uno, 1\r\nCITT\xC3\x80, 7\r\nCITT\xC0, 7\r\n");
  const ShownFiles files{"r.txt", "t.txt", &route, nullptr};
  const struct {
    check::SourceSpan where;
    std::string shown;
  } cases[] = {
      {{TextFile::route, 2, 2, 2, 12},
       "r.txt:2:2: warning W02: m\n    2 | \tsfondo uno, 1\n      | \t^~~~~~~~~~\n"},
      // The span is byte 9 of line 3: "7" behind the two letters "\xC3\x80" stand for.
      {{TextFile::route, 3, 9, 3, 10},
       "r.txt:3:9: warning W02: m\n    3 | CITT\xC3\x83\xE2\x82\xAC, 7\n      |         ^\n"},
      {{TextFile::route, 4, 8, 4, 9},
       "r.txt:4:8: warning W02: m\n    4 | CITT\xC3\x80, 7\n      |        ^\n"},
      // A span running past its line is cut at the line's end.
      {{TextFile::route, 2, 13, 3, 2},
       "r.txt:2:13: warning W02: m\n    2 | \tsfondo uno, 1\n      | \t           ^~\n"},
      // Without a column there is the line but no caret; without a line, no excerpt.
      {{TextFile::route, 2, 0, 2, 0}, "r.txt:2: warning W02: m\n    2 | \tsfondo uno, 1\n"},
      {{TextFile::route, 0, 0, 0, 0}, "r.txt: warning W02: m\n"},
      // A file that could not be read shows no excerpt; no file, no location.
      {{TextFile::train, 3, 1, 3, 2}, "t.txt:3:1: warning W02: m\n"},
      {{TextFile::none, 0, 0, 0, 0}, "warning W02: m\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shown);
    const std::vector<Diagnostic> one{diagnostic(Level::warning, "W02", c.where, "m")};
    EXPECT_EQ(human_text(one, files, false), c.shown);
  }
}

// A file saved as UTF-8 is compiled as code page text: the place is told in bytes of the file
// as saved, and the caret stands under the field in the line shown.
TEST(DiagnosticText, PointsAtTheFileAsSavedWhenItWasConverted) {
  const auto read = author::read_author_text("[generale]\nCITT\xC3\x80, 7\n\xE2\x82\xAC\x09x, 8\n",
                                             author::EncodingChoice::automatic);
  const SourceText route(std::get<author::AuthorText>(read));
  const ShownFiles files{"r.txt", "t.txt", &route, nullptr};
  const struct {
    check::SourceSpan where;  // in the code page text the compile read
    std::string shown;
  } cases[] = {
      {{TextFile::route, 2, 8, 2, 9},
       "r.txt:2:9: warning W02: m\n    2 | CITT\xC3\x80, 7\n      |        ^\n"},
      {{TextFile::route, 3, 3, 3, 4},
       "r.txt:3:5: warning W02: m\n    3 | \xE2\x82\xAC\tx, 8\n      |  \t^\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shown);
    const std::vector<Diagnostic> one{diagnostic(Level::warning, "W02", c.where, "m")};
    EXPECT_EQ(human_text(one, files, false), c.shown);
  }
}

// A quoted field may run over a line end, and any field may hold control bytes: the message
// that quotes it stays on its line in both forms, the bytes shown as escapes.
TEST(DiagnosticText, AMessageKeepsToItsLineWhateverTheTextItQuotes) {
  using namespace std::string_literals;
  const ShownFiles files{"r.txt", "t.txt", nullptr, nullptr};
  Diagnostic d = diagnostic(Level::warning, "W13", {TextFile::route, 9, 1, 9, 2},
                            "\"pendenza, 1\r\n[fine]\r\n\" is lost");
  d.notes.push_back({{}, "a\0b\x1b[2Jc\x7f\td"s});
  const std::vector<Diagnostic> one{d};
  EXPECT_EQ(human_text(one, files, false),
            "r.txt:9:1: warning W13: \"pendenza, 1\\r\\n[fine]\\r\\n\" is lost\n"
            "note: a\\x00b\\x1B[2Jc\\x7F\td\n");
  EXPECT_EQ(gcc_text(one, files),
            "r.txt:9:1: warning: \"pendenza, 1\\r\\n[fine]\\r\\n\" is lost [W13]\n"
            "note: a\\x00b\\x1B[2Jc\\x7F\td\n");
}

TEST(DiagnosticText, ShowsNotesUnderTheirDiagnosticAndColoursOnlyWhenAsked) {
  const SourceText train("[generale]\nsegnale, 100\nsegnale, 100\n");
  const ShownFiles files{"r.txt", "t.txt", nullptr, &train};
  Diagnostic d = diagnostic(Level::error, "16", {TextFile::train, 3, 10, 3, 13}, "taken");
  d.notes.push_back({{TextFile::train, 2, 10, 2, 13}, "held here"});
  d.notes.push_back({{}, "and so on"});
  const std::vector<Diagnostic> both{
      d, diagnostic(Level::note, "W17", {TextFile::train, 2, 10, 2, 13}, "marks")};
  EXPECT_EQ(human_text(both, files, false),
            "t.txt:3:10: error 16: taken\n"
            "    3 | segnale, 100\n"
            "      |          ^~~\n"
            "t.txt:2:10: note: held here\n"
            "    2 | segnale, 100\n"
            "      |          ^~~\n"
            "note: and so on\n"
            "t.txt:2:10: note W17: marks\n"
            "    2 | segnale, 100\n"
            "      |          ^~~\n");
  const std::string coloured = human_text(both, files, true);
  EXPECT_NE(coloured.find("\033[1mt.txt:3:10:\033[0m \033[1;31merror 16:\033[0m taken\n"),
            std::string::npos)
      << coloured;
  EXPECT_NE(coloured.find("\033[1;32m^~~\033[0m"), std::string::npos) << coloured;
  EXPECT_NE(coloured.find("\033[1;36mnote W17:\033[0m"), std::string::npos) << coloured;

  EXPECT_EQ(gcc_text(both, files),
            "t.txt:3:10: error: taken [16]\n"
            "t.txt:2:10: note: held here\n"
            "note: and so on\n"
            "t.txt:2:10: note: marks [W17]\n");
  EXPECT_EQ(counted(both), "1 error and 1 note");
  EXPECT_EQ(counted({}), "");
  const std::vector<Diagnostic> three{d, diagnostic(Level::warning, "W01", {}, "a"),
                                      diagnostic(Level::warning, "W01", {}, "b")};
  EXPECT_EQ(counted(three), "1 error and 2 warnings");

  const Diagnostic warning = diagnostic(Level::warning, "W01", {}, "w");
  const Diagnostic note = diagnostic(Level::note, "W16", {}, "n");
  const struct {
    std::vector<Diagnostic> diagnostics;
    std::string summary;
  } summaries[] = {
      {{}, "no errors"},
      {{note}, "no errors, 1 note"},
      {{note, note}, "no errors, 2 notes"},
      {{warning, note, note}, "no errors, 1 warning and 2 notes"},
      {{d, warning}, "1 error and 1 warning"},
  };
  for (const auto& c : summaries) EXPECT_EQ(summary_line(c.diagnostics), c.summary);
}

struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};

class CheckTool : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* previous = std::getenv("TMPDIR");
    if (previous) previous_tmpdir_ = previous;
    ::setenv("TMPDIR", private_temp_.path().c_str(), 1);
    write_file(route_, "[generale]\nlunghezza percorso, 5000\n[curve]\n[fine]\n");
    write_file(train_, "[generale]\n[fine]\n");
  }
  void TearDown() override {
    EXPECT_TRUE(file_names(private_temp_.path()).empty()) << "a working folder was left";
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

  ToolRun check(std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {"check", "--route", route_.string(), "--train",
                                     train_.string()};
    args.insert(args.end(), extra.begin(), extra.end());
    return run(args);
  }

  TempFolder folder_;
  TempFolder private_temp_;
  std::filesystem::path route_ = folder_ / "route.txt";
  std::filesystem::path train_ = folder_ / "train.txt";

 private:
  std::optional<std::string> previous_tmpdir_;
};

TEST_F(CheckTool, ExitStatusFollowsTheCompileAndWerror) {
  const std::string warning = "[generale]\nvelocita, 0, 30, 40\n[fine]\n";  // W05
  const std::string note = "[generale]\nvelocita, 0, 32\n[fine]\n";         // W18
  const std::string failure = "[generale]\nvelocita, 20000, 30\n[fine]\n";  // 15
  const struct {
    const char* what;
    std::string train;
    std::vector<std::string> extra;
    int status;
  } cases[] = {
      {"clean", "[generale]\n[fine]\n", {}, kToolSuccess},
      {"a warning", warning, {}, kToolSuccess},
      {"a warning with --werror", warning, {"--werror"}, kToolRecordedFailure},
      {"an excluded warning with --werror",
       warning,
       {"--werror", "--exclude", "W05"},
       kToolSuccess},
      {"a note with --werror", note, {"--werror"}, kToolSuccess},
      {"a failure", failure, {}, kToolRecordedFailure},
      {"a failure in JSON", failure, {"--format", "json"}, kToolRecordedFailure},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    write_file(train_, c.train);
    const ToolRun result = check(c.extra);
    EXPECT_EQ(result.status, c.status) << result.err;
  }
  // The error box, and a route that leaves no cells.
  write_file(train_, "[generale]\n[fine]\n");
  write_file(route_, "[generale]\nlunghezza percorso, 5000\n[curve]\ncartello_indicatore, 0, X\n");
  EXPECT_EQ(check().status, kToolRecordedFailure);
  write_file(route_, "[generale]\n[curve]\n[fine]\n");
  const ToolRun nothing = check();
  EXPECT_EQ(nothing.status, kToolRecordedFailure);
  EXPECT_NE(nothing.err.find("the parse left no cells"), std::string::npos) << nothing.err;
}

TEST_F(CheckTool, AFileThatCannotBeReadEndsWith74AndAMissingOneIsMetMissing) {
  const ToolRun unreadable =
      run({"check", "--route", folder_.path().string(), "--train", train_.string()});
  EXPECT_EQ(unreadable.status, kToolFileFault);
  EXPECT_NE(unreadable.err.find("cannot go on"), std::string::npos) << unreadable.err;

  std::filesystem::remove(route_);
  const ToolRun missing = check({"--format", "gcc"});
  EXPECT_EQ(missing.status, kToolRecordedFailure);
  EXPECT_EQ(missing.err, route_.string() +
                             ": error: the route file does not exist [101]\n"
                             "note: the parse left no cells, so the pack writes no binary file\n");
}

TEST_F(CheckTool, CommandLineMistakesEndWith64) {
  const std::vector<std::vector<std::string>> cases = {
      {"check", "--route", "r"},
      {"check", "--route", "r", "--train", "t", "--format", "xml"},
      {"check", "--route", "r", "--train", "t", "--color", "sometimes"},
      {"check", "--route", "r", "--train", "t", "--exclude", "W99"},
      {"check", "--route", "r", "--train", "t", "--exclude", "W01,16"},
      {"check", "--route", "r", "--train", "t", "--line", "L"},
      {"check", "--route", "r", "--train", "t", "--line", "a/b", "--number", "1"},
      {"explain"},
      {"explain", "W99"},
      {"explain", "14"},
  };
  for (const auto& args : cases) {
    SCOPED_TRACE(::testing::PrintToString(args));
    const ToolRun result = run(args);
    EXPECT_EQ(result.status, kToolUsage);
    EXPECT_FALSE(result.err.empty());
  }
  const ToolRun help = run({"check", "--help"});
  EXPECT_EQ(help.status, kToolSuccess);
  EXPECT_NE(help.out.find("--werror"), std::string::npos) << help.out;
}

TEST_F(CheckTool, ExplainPrintsOnStandardOutput) {
  const ToolRun result = run({"explain", "w6"});
  EXPECT_EQ(result.status, kToolSuccess);
  EXPECT_EQ(result.out.rfind("W06 (warning): ", 0), 0u) << result.out;
  EXPECT_EQ(result.err, "");
}

TEST_F(CheckTool, ExcludedCodesAreNotReportedAndColourIsAsAsked) {
  write_file(train_, "[generale]\nvelocita, 0, 32, 40\n[fine]\n");  // W18 and W05
  const ToolRun both = check({"--format", "gcc"});
  EXPECT_NE(both.err.find("[W05]"), std::string::npos) << both.err;
  EXPECT_NE(both.err.find("[W18]"), std::string::npos) << both.err;
  const ToolRun one = check({"--format", "gcc", "--exclude", "w18"});
  EXPECT_NE(one.err.find("[W05]"), std::string::npos) << one.err;
  EXPECT_EQ(one.err.find("[W18]"), std::string::npos) << one.err;
  const ToolRun none = check({"--exclude", "W05,W18"});
  EXPECT_EQ(none.err, "no errors\n");
  const std::string one_note = check({"--exclude", "W05"}).err;
  EXPECT_TRUE(one_note.ends_with("\nno errors, 1 note\n")) << one_note;
  // The forms for tools add no summary.
  EXPECT_EQ(check({"--format", "gcc", "--exclude", "W05,W18"}).err, "");

  // Standard error here is no terminal: colour only when asked for.
  EXPECT_EQ(check().err.find('\033'), std::string::npos);
  EXPECT_EQ(check({"--color", "never"}).err.find('\033'), std::string::npos);
  EXPECT_NE(check({"--color", "always"}).err.find("\033[1;35mwarning W05:"), std::string::npos);
}

TEST_F(CheckTool, JsonHoldsTheOutcomeAndEveryDiagnostic) {
  write_file(train_,
             "[generale]\nsegnale, 2000, 0,0,0,0,0,0,0,0,0,0\nsegnale, 2000, 0,0,0,0,0,0,0,0,0,0\n"
             "[fine]\n");
  const ToolRun run = check({"--format", "json"});
  EXPECT_EQ(run.err, "");
  const nlohmann::json report = nlohmann::json::parse(run.out);
  EXPECT_EQ(report["outcome"],
            nlohmann::json::parse(R"({"code": 16, "position": 2000, "fatal": null})"));
  ASSERT_EQ(report["diagnostics"].size(), 1u) << run.out;
  const nlohmann::json& d = report["diagnostics"][0];
  EXPECT_EQ(d["file"], train_.string());
  EXPECT_EQ(d["line"], 3);
  EXPECT_EQ(d["column"], 10);
  EXPECT_EQ(d["endLine"], 3);
  EXPECT_EQ(d["endColumn"], 14);
  EXPECT_EQ(d["level"], "error");
  EXPECT_EQ(d["code"], "16");
  EXPECT_EQ(d["message"], "signal on a cell already taken (at 2000 m)");
  ASSERT_EQ(d["notes"].size(), 1u);
  EXPECT_EQ(d["notes"][0]["line"], 2);
  EXPECT_EQ(d["notes"][0]["message"], "cell 41 already holds the signal placed here");

  // An error box has no place of its own, and a clean check lists nothing.
  write_file(route_,
             "[generale]\nlunghezza percorso, 5000\n[curve]\ncartello_indicatore, 0, X\n"
             "[fine]\n");
  write_file(train_, "[generale]\n[fine]\n");
  const nlohmann::json box = nlohmann::json::parse(check({"--format", "json"}).out);
  EXPECT_EQ(box["outcome"],
            nlohmann::json::parse(R"({"code": 0, "position": null, "fatal": 1250})"));
  EXPECT_EQ(box["diagnostics"][0]["file"], nullptr);
  EXPECT_EQ(box["diagnostics"][0]["line"], nullptr);
  EXPECT_EQ(box["diagnostics"][0]["code"], "1250");
  write_file(route_, "[generale]\nlunghezza percorso, 5000\n[curve]\n[fine]\n");
  EXPECT_EQ(nlohmann::json::parse(check({"--format", "json"}).out)["diagnostics"],
            nlohmann::json::array());
}

// A source named as the pack names its own copy is noted on its whole file: by the pack's name
// for the identity given, by the name's shape without one.
TEST_F(CheckTool, NotesASourceNamedAsThePacksOwnTextFile) {
  const std::string route = "[generale]\nlunghezza percorso, 5000\n[curve]\n[fine]\n";
  const std::string train = "[generale]\n[fine]\n";
  const struct {
    const char* what;
    std::string route_name;
    std::string train_name;
    std::vector<std::string> identity;
    std::vector<std::string> noted;  // "route", "train"
  } cases[] = {
      {"the pack's names for the identity",
       "Collina_linea.txt",
       "Collina_88-.txt",
       {"--line", "Collina", "--number", "88"},
       {"route", "train"}},
      {"another line's names for the identity",
       "Altra_linea.txt",
       "Altra_88-.txt",
       {"--line", "Collina", "--number", "88"},
       {}},
      {"another train of the line",
       "route.txt",
       "Collina_89-.txt",
       {"--line", "Collina", "--number", "88"},
       {}},
      {"names of the pack's shape, no identity",
       "Collina_linea.txt",
       "Collina_88-.txt",
       {},
       {"route", "train"}},
      {"a line name with underscores, no identity",
       "Val_Alta_linea.txt",
       "Val_Alta_7-.txt",
       {},
       {"route", "train"}},
      {"names that only end alike, no identity", "_linea.txt", "treno-.txt", {}, {}},
      {"no train number, no identity", "route.txt", "Collina_-.txt", {}, {}},
      {"plain names", "route.txt", "train.txt", {}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::filesystem::path route_file = folder_ / c.route_name;
    const std::filesystem::path train_file = folder_ / c.train_name;
    write_file(route_file, route);
    write_file(train_file, train);
    std::vector<std::string> args = {"check",   "--route",           route_file.string(),
                                     "--train", train_file.string(), "--format",
                                     "json"};
    args.insert(args.end(), c.identity.begin(), c.identity.end());
    const ToolRun json = run(args);
    EXPECT_EQ(json.status, kToolSuccess);
    std::vector<std::string> noted;
    const nlohmann::json report = nlohmann::json::parse(json.out);
    for (const nlohmann::json& d : report["diagnostics"]) {
      EXPECT_EQ(d["code"], "W20");
      EXPECT_EQ(d["level"], "note");
      EXPECT_EQ(d["line"], nullptr);
      EXPECT_NE(d["message"].get<std::string>().find("deletes it"), std::string::npos);
      noted.push_back(d["file"] == route_file.string() ? "route" : "train");
    }
    EXPECT_EQ(noted, c.noted) << json.out;
    std::filesystem::remove(route_file);
    std::filesystem::remove(train_file);
  }

  // In the human form: the file, the note, and the summary counting it.
  const std::filesystem::path named = folder_ / "Collina_linea.txt";
  write_file(named, route);
  write_file(train_, train);
  const ToolRun human = run({"check", "--route", named.string(), "--train", train_.string()});
  EXPECT_EQ(human.err.rfind(named.string() + ": note W20: the route file is named "
                                             "as a pack for line \"Collina\" names its own copy",
                            0),
            0u)
      << human.err;
  EXPECT_NE(human.err.find("\nno errors, 1 note\n"), std::string::npos) << human.err;
  EXPECT_EQ(
      run({"check", "--route", named.string(), "--train", train_.string(), "--exclude", "W20"}).err,
      "no errors\n");
}

struct NotesCase {
  const char* what;
  std::string route;
  std::string train;
  std::string code;
  std::vector<std::pair<std::int32_t, std::string>> notes;  // line (0: none) and a part of it
};

TEST_F(CheckTool, AFailureNamesTheOtherPlacesInvolved) {
  const std::string plain_route = "[generale]\nlunghezza percorso, 5000\n[curve]\n[fine]\n";
  const std::string station_rest = ", 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, F\n";
  const std::string signal_rest = ", 0,0,0,0,0,0,0,0,0,0\n";
  const std::vector<NotesCase> cases = {
      {"a signal on a station's stop cell",
       plain_route,
       "[generale]\nstazione, 1000, 12, 300" + station_rest + "segnale, 1050" + signal_rest +
           "[fine]\n",
       "16",
       {{2, "cell 22 already holds the stop point of the station placed here"}}},
      {"a signal on a direction board",
       "[generale]\nlunghezza percorso, 5000\n[curve]\ncartello_indicatore, 2000, X\n[fine]\n",
       "[generale]\nsegnale, 2000" + signal_rest + "[fine]\n",
       "16",
       {{4, "cell 41 already holds the direction board placed here"}}},
      {"a warning point on a signal",
       plain_route,
       "[generale]\nsegnale, 1800" + signal_rest +
           "rallentamento, 3000, 60, 200, 0, 0, 0\n[fine]\n",
       "17",
       {{2, "cell 37, the warning point 1200 m before the start, already holds the signal"}}},
      {"approach cells on a signal",
       plain_route,
       "[generale]\nsegnale, 1700" + signal_rest +
           "rallentamento, 3000, 60, 200, 0, 1, 0\n[fine]\n",
       "20",
       {{2, "approach cell 35 already holds the signal placed here"}}},
      {"a code change on a slowdown's end",
       plain_route,
       "[generale]\nrallentamento, 3000, 60, 200, 0, 0, 0\nabbattimento, 3250, 1\n[fine]\n",
       "7",
       {{2, "cell 65 already holds the end of the slowdown placed here"}}},
      {"stations too close",
       plain_route,
       "[generale]\nstazione, 1000, 12, 300" + station_rest + "stazione, 1600, 12, 300" +
           station_rest + "[fine]\n",
       "22",
       {{2, "the previous station's zone ends at 1150 m, and this one's begins at 1450 m"}}},
      {"a record short of fields",
       plain_route,
       "[generale]\nvelocita, 0\naderenza, 0, 100\n[fine]\n",
       "25",
       {{2, "needs 2 fields, but its line holds 1, so the pack read on into line 3"}}},
      {"a record cut short by the end of the file",
       plain_route,
       "[generale]\nvelocita, 0",
       "25",
       {{2, "needs 2 fields, and the file ends inside it"}}},
      {"a route without its length",
       "[generale]\n[curve]\npendenza, 100, 1\n[fine]\n",
       "[generale]\n[fine]\n",
       "25",
       {{0, "gives no \"lunghezza percorso\""}}},
      {"a station beyond the cells",
       plain_route,
       "[generale]\nstazione, 11500, 12, 300" + station_rest + "[fine]\n",
       "15",
       {{2, "a station needs its position + 800 m within them, so at most 11200 m"}}},
      {"a slowdown ending beyond the cells",
       plain_route,
       "[generale]\nrallentamento, 11000, 60, 2000, 0, 0, 0\n[fine]\n",
       "15",
       {{2, "its end, at 13000 m, lies beyond the last cell, cell 240"}}},
      {"a progressive off the cells",
       "[generale]\nlunghezza percorso, 5000\nprogressiva chilometrica uno, 0, 125, 0\n[curve]\n"
       "[fine]\n",
       "[generale]\n[fine]\n",
       "2",
       {{3, "this value of \"progressiva chilometrica uno\" is not a multiple of 50"}}},
      {"no room before a signal",
       plain_route,
       "[generale]\nabbattimento, 1900, 0\nabbattimento, 1950, 0\nsegnale, 1950" + signal_rest +
           "rallentamento, 3200, 120, 200, 0, 0, 0\n[fine]\n",
       "11",
       {{4, "cell 40 holds the signal placed here"},
        {3, "the cell before it, cell 39, holds the code cut placed here"},
        {2, "the cell before it, cell 38, holds the code cut placed here"}}},
  };
  for (const NotesCase& c : cases) {
    SCOPED_TRACE(c.what);
    write_file(route_, c.route);
    write_file(train_, c.train);
    CheckRequest request;
    request.route = route_;
    request.train = train_;
    const CheckOutcome outcome = check_scenario(request);
    ASSERT_FALSE(outcome.diagnostics.empty());
    const check::Diagnostic& error = outcome.diagnostics.back();
    ASSERT_EQ(error.code, c.code) << error.message;
    ASSERT_GE(error.notes.size(), c.notes.size());
    for (std::size_t k = 0; k < c.notes.size(); ++k) {
      EXPECT_EQ(error.notes[k].where.line, c.notes[k].first) << error.notes[k].message;
      EXPECT_NE(error.notes[k].message.find(c.notes[k].second), std::string::npos)
          << error.notes[k].message;
    }
  }
}

// The scenarios of this repository check clean, or with notes a reader agrees with: the
// shipped stations of type 28 have no stop cell, and the two packs made to reach the error box
// reach it, naming the board at 0 m.
TEST(CheckScenarios, TheRepositorysScenariosCheckAsExpected) {
  const std::filesystem::path root = SCENARIO_SOURCE_DIR;
  const std::filesystem::path shipped = root / "scenarios/vallombra_marina";
  const std::filesystem::path tools = root / "tests/tools/scenarios";
  const struct {
    std::filesystem::path route;
    std::filesystem::path train;
    std::vector<std::string> codes;
    int status;
  } cases[] = {
      {shipped / "route.txt", shipped / "train.txt", {"W16", "W16"}, kToolSuccess},
      {tools / "collina/route.txt", tools / "collina/train.txt", {}, kToolSuccess},
      {tools / "report_sampler/route.txt", tools / "report_sampler/train.txt", {}, kToolSuccess},
      {shipped / "route.txt", root / "tests/windows/second_train/train.txt", {}, kToolSuccess},
      {tools / "marker_taken/route.txt",
       tools / "marker_taken/train.txt",
       {"1250"},
       kToolRecordedFailure},
      {root / "tests/windows/board_at_zero/route.txt",
       shipped / "train.txt",
       {"W16", "W16", "1250"},
       kToolRecordedFailure},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.route.string());
    CheckRequest request;
    request.route = c.route;
    request.train = c.train;
    const CheckOutcome outcome = check_scenario(request);
    std::vector<std::string> codes;
    for (const check::Diagnostic& d : outcome.diagnostics) codes.push_back(d.code);
    EXPECT_EQ(codes, c.codes);
    EXPECT_EQ(outcome.status, c.status);
    if (c.codes == std::vector<std::string>{"1250"} || codes.size() == 3) {
      ASSERT_FALSE(outcome.diagnostics.back().notes.empty());
      EXPECT_NE(outcome.diagnostics.back().notes[0].message.find("the direction board"),
                std::string::npos);
    }
  }
}

}  // namespace
}  // namespace scenario::tool
