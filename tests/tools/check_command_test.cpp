#include "check_cli/check_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "check/cell_owners.h"
#include "check/text_checker.h"
#include "compile_command.h"
#include "parse/observer_pair.h"
#include "support/test_support.h"

namespace scenario::tool {
namespace {

using scenario::testing::file_names;
using scenario::testing::read_file;
using scenario::testing::TempFolder;
using scenario::testing::write_file;

// The plain files the cases below break one at a time: a route 5000 m long (cells 0 to 240)
// whose features follow its line 3, and a train file holding only its two heads.
const std::string kRoute = "[generale]\nlunghezza percorso, 5000\n[curve]\n[fine]\n";
const std::string kTrain = "[generale]\n[fine]\n";

std::string route_features(const std::string& lines) {
  return "[generale]\nlunghezza percorso, 5000\n[curve]\n" + lines + "[fine]\n";
}
std::string route_general(const std::string& lines) {
  return "[generale]\nlunghezza percorso, 5000\n" + lines + "[curve]\n[fine]\n";
}
// Train records from line 2.
std::string train_records(const std::string& lines) { return "[generale]\n" + lines + "[fine]\n"; }

constexpr const char* kSignalRest = ", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0\n";
std::string signal_at(int position) { return "segnale, " + std::to_string(position) + kSignalRest; }
std::string station(int position, int type, int length, const std::string& name = "FERMATA") {
  return "stazione, " + std::to_string(position) + ", " + std::to_string(type) + ", " +
         std::to_string(length) + ", 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, " + name + "\n";
}

std::string repeated(const std::string& line, int times) {
  std::string text;
  for (int k = 0; k < times; ++k) text += line;
  return text;
}

// 75 direction boards: the fourth station of a train meets them (slots 80 down to 6, then 5).
std::string route_of_75_boards() {
  std::string boards;
  for (int k = 0; k < 75; ++k) {
    boards += "cartello_indicatore, " + std::to_string(1000 + 100 * k) + ", B\n";
  }
  return "[generale]\nlunghezza percorso, 10000\n[indicazioni]\n" + boards + "[fine]\n";
}

class CheckCommand : public ::testing::Test {
 protected:
  void SetUp() override {
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

  // Writes the files (a missing one stays missing) and checks them.
  CheckOutcome check(const std::optional<std::string>& route,
                     const std::optional<std::string>& train, CheckRequest request = {}) {
    std::filesystem::remove(route_);
    std::filesystem::remove(train_);
    if (route) write_file(route_, *route);
    if (train) write_file(train_, *train);
    request.route = route_;
    request.train = train_;
    return check_scenario(request);
  }

  // The binary files of the pack's compile of the files as they stand, with `observer` told
  // what the reader sees, by name.
  std::vector<std::pair<std::string, std::string>> compiled(ReadObserver* observer,
                                                            ScenarioState& state,
                                                            const std::string& folder) {
    CompileRequest request;
    request.route = route_;
    request.train = train_;
    request.line_name = "Prova";
    request.train_number = "3";
    request.out = folder_ / folder;
    request.observer = observer;
    const CompileResult result = compile_scenario(request, state);
    std::vector<std::pair<std::string, std::string>> files;
    files.emplace_back("status", std::to_string(result.status) + " code " +
                                     std::to_string(result.failure.number()) + " at " +
                                     std::to_string(result.failure.error_position));
    for (const std::string& name : file_names(request.out)) {
      files.emplace_back(name, read_file(request.out / name));
    }
    return files;
  }

  TempFolder folder_;
  TempFolder private_temp_;
  std::filesystem::path route_ = folder_ / "route.txt";
  std::filesystem::path train_ = folder_ / "train.txt";

 private:
  std::optional<std::string> previous_tmpdir_;
};

std::vector<std::string> codes_of(const CheckOutcome& outcome) {
  std::vector<std::string> codes;
  for (const check::Diagnostic& d : outcome.diagnostics) codes.push_back(d.code);
  return codes;
}

struct BrokenFile {
  const char* what;
  std::optional<std::string> route;  // nullopt: the file does not exist
  std::optional<std::string> train;
  std::string code;  // the one diagnostic the defect gives
  TextFile file;
  std::int32_t line;              // 0: none
  std::int32_t column;            // 0: none
  std::int32_t compile_code = 0;  // the failure the pack records
  std::string message_part = {};  // a part of the message that must be there
};

// One defect each. Lines and columns are counted by hand in the texts above: a route feature
// stands on line 4, a general record on line 3, a train record on line 2.
const std::vector<BrokenFile>& broken_files() {
  using enum TextFile;
  static const std::vector<BrokenFile> cases = {
      {"a misspelt feature keyword", route_features("pendnza, 1000, 5\n"), kTrain, "W01", route, 4,
       1, 0, "did you mean \"pendenza\"?"},
      {"a misspelt train keyword", kRoute,
       train_records("segnle, 1000, 2, 5, 6, 0, 0, 0, 0,0,0, 0\n"), "W01", train, 2, 1, 0,
       "did you mean \"segnale\"?"},
      {"a route record in the train file", kRoute, train_records("pendenza, 1000, 5\n"), "W01",
       train, 2, 1, 0, "\"pendenza\" is a record of the route file"},
      {"a general keyword with a capital", route_general("Sfondo uno, 1\n"), kTrain, "W02", route,
       3, 1, 0, "\"sfondo\" must be written in lower case"},
      {"a general record after the general section", route_features("sfondo uno, 1\n"), kTrain,
       "W03", route, 4, 1, 0, "ended on line 3 (at \"[curve]\")"},
      {"a feature record in the general section", route_general("pendenza, 1000, 5\n"), kTrain,
       "W03", route, 3, 1, 0, "stands in the general section"},
      {"a record one field short on its line", route_general("sfondo uno\n1\n"), kTrain, "W04",
       route, 3, 1, 0, "needs 1 field, but its line holds none: it took 1 from line 4"},
      {"a signal whose last number is on the next line", kRoute,
       train_records("segnale, 1000, 0, 0, 0, 0, 0, 0, 0, 0, 0\n0\n"), "W04", train, 2, 1, 0,
       "needs 11 fields, but its line holds 10"},
      {"a field left over after a complete record", route_features("montagna, 1000, 2000, 2, 7\n"),
       kTrain, "W05", route, 4, 26, 0, "\"7\" is left over"},
      {"a leftover field that starts a record", kRoute,
       train_records("numero vetture, 4, sabbia, 0\n"), "W05", train, 2, 20, 0,
       "starts the record \"sabbia\""},
      {"a board text cut at a comma", route_features("cartello_indicatore, 1350, (DEV, U.)\n"),
       kTrain, "W06", route, 4, 32, 0, "keeps \"(DEV\""},
      {"a station name cut at a comma", kRoute, train_records(station(1000, 12, 300, "SAN, MARCO")),
       "W06", train, 2, 60, 0, "the station name is cut"},
      // A comma that ends a comment line leaves only an empty field, and is passed over.
      {"a route comment line with a comma", route_features("-- nota,\n-- nota, altro\n"), kTrain,
       "W07", route, 5, 8, 0, "\"altro\""},
      {"a train comment line with a comma that starts a record", kRoute,
       train_records("-- dati, sabbia, 0\n"), "W07", train, 2, 8, 0,
       "starts the record \"sabbia\""},
      {"a third comment line in a row", route_features("----\n----\n----\n"), kTrain, "W08", route,
       6, 1, 0, "passes over at most 2"},
      {"an eleventh comment line in the general section", route_general(repeated("--\n", 11)),
       kTrain, "W08", route, 13, 1, 0, "at most 10 in the general section"},
      {"a gradient before an earlier one", route_features("pendenza, 3000, 5\npendenza, 1000, 2\n"),
       kTrain, "W09", route, 5, 11, 0,
       "still goes into cell 60, and this one holds from cell 61 (3050 m)"},
      {"a gradient at the start after one further on",
       route_features("pendenza, 3000, 5\npendenza, 0, 2\n"), kTrain, "W09", route, 5, 11, 0,
       "(5) is never laid"},
      {"a speed limit before an earlier one", kRoute,
       train_records("velocita, 1000, 30\nvelocita, 500, 40\n"), "W09", train, 3, 11, 0,
       "holds from cell 21"},
      {"a curve that begins inside the one before",
       route_features("curvad4, 1000, 500\ncurvas4, 1200, 500\n"), kTrain, "W10", route, 5, 10, 0,
       "turns only 200 m of its 500 m, from 1501 m to 1700 m"},
      {"a curve wholly before the one before",
       route_features("curvad4, 1000, 500\ncurvas4, 200, 300\n"), kTrain, "W10", route, 5, 10, 0,
       "has no effect"},
      {"a train file without its opening head", kRoute, "numero vetture, 4\n[fine]\n", "W11", train,
       0, 0},
      {"a train record after the end head", kRoute,
       "[generale]\n[fine]\nnumero vetture, 4\n[fine]\n", "W12", train, 3, 1},
      {"a route record after the end head",
       "[generale]\nlunghezza percorso, 5000\n[curve]\n[fine]\npendenza, 1000, 5\n[fine]\n", kTrain,
       "W12", route, 5, 1},
      {"a train keyword as the file's last field", kRoute,
       "[generale]\nnumero vetture, 4\nsabbia\n", "W13", train, 3, 1, 0,
       "the record \"sabbia\" is lost"},
      {"a route keyword as the file's last field",
       "[generale]\nlunghezza percorso, 5000\n[curve]\npendenza", kTrain, "W13", route, 4, 1},
      {"a mountain 100 m after the one before",
       route_features("montagna, 1000, 2000, 2\nmontagna, 2100, 3000, 1\n"), kTrain, "W14", route,
       5, 23, 0, "type 3, not 1"},
      {"a slowdown at 1000 m", kRoute, train_records("rallentamento, 1000, 60, 200, 0, 1, 0\n"),
       "W15", train, 2, 16, 0, "no approach cells"},
      {"a station of type 28", kRoute, train_records(station(1000, 28, 300)), "W16", train, 2, 17},
      {"a signal at 200 m", kRoute, train_records(signal_at(200)), "W17", train, 2, 10, 0,
       "the 2 that would lie before cell 0"},
      {"a speed limit of 32", kRoute, train_records("velocita, 0, 32\n"), "W18", train, 2, 14, 0,
       "32 becomes 30"},

      {"a route too long", "[generale]\nlunghezza percorso, 1200000\n[curve]\n[fine]\n", kTrain,
       "1", route, 2, 21, 1},
      {"a progressive off the cells", route_general("progressiva chilometrica uno, 0, 125, 0\n"),
       kTrain, "2", none, 0, 0, 2},
      {"a cab-signal start off the cells",
       route_general("ripetizione segnali 9 codici, 25, 3000\n"), kTrain, "3", route, 3, 31, 3},
      {"a cab-signal end off the cells", route_general("ripetizione segnali 9 codici, 0, 3010\n"),
       kTrain, "4", route, 3, 34, 4},
      {"no code system", route_general("ripetizione segnali codici, 0, 3000\n"), kTrain, "5", route,
       3, 1, 5},
      {"a direction board on speed boards",
       route_features("indicatori_vmax, 2300, 130, 135, 135, 0, 130, 135, 135, 0\n"
                      "cartello_indicatore, 2300, (P.L.)\n"),
       kTrain, "6", route, 5, 22, 6},
      {"a code change on a signal", kRoute,
       train_records(signal_at(2000) + "abbattimento, 2050, 180\n"), "7", train, 3, 15, 7},
      {"a station off the cells", kRoute, train_records(station(1010, 12, 300)), "8", train, 2, 11,
       8},
      {"a station of a length not whole", kRoute, train_records(station(1000, 12, 350)), "9", train,
       2, 11, 9},
      {"stations meeting the boards", route_of_75_boards(),
       train_records(station(1000, 12, 100) + station(2000, 12, 100) + station(3000, 12, 100) +
                     station(4000, 12, 100)),
       "10", train, 5, 1, 10},
      {"a signal before a warning point without room", kRoute,
       train_records("abbattimento, 1900, 0\nabbattimento, 1950, 0\n" + signal_at(1950) +
                     "rallentamento, 3200, 120, 200, 0, 0, 0\n"),
       "11", none, 0, 0, 11},
      {"a full approach window", kRoute,
       train_records("abbattimento, 2800, 180\nabbattimento, 2750, 180\nabbattimento, 2700, 180\n"
                     "rallentamento, 3000, 120, 200, 0, 0, 0\n"),
       "12", none, 0, 0, 12},
      {"no room through a slow slowdown", kRoute,
       train_records("abbattimento, 3400, 0\nabbattimento, 3450, 0\nabbattimento, 3500, 0\n"
                     "rallentamento, 3000, 60, 1000, 0, 0, 0\n"),
       "13", none, 0, 0, 13},
      {"a record beyond the cells", kRoute, train_records("velocita, 20000, 30\n"), "15", train, 2,
       11, 15},
      {"two signals on one cell", kRoute, train_records(signal_at(2000) + signal_at(2000)), "16",
       train, 3, 10, 16},
      {"a slowdown's warning point on a signal", kRoute,
       train_records(signal_at(1800) + "rallentamento, 3000, 60, 200, 0, 0, 0\n"), "17", train, 3,
       16, 17},
      {"a slowdown's start on a signal", kRoute,
       train_records(signal_at(3000) + "rallentamento, 3000, 60, 200, 0, 0, 0\n"), "18", train, 3,
       16, 18},
      {"a slowdown's end on a signal", kRoute,
       train_records(signal_at(3200) + "rallentamento, 3000, 60, 200, 0, 0, 0\n"), "19", train, 3,
       16, 19},
      {"a slowdown's approach on a signal", kRoute,
       train_records(signal_at(1700) + "rallentamento, 3000, 60, 200, 0, 1, 0\n"), "20", train, 3,
       16, 20},
      {"speed boards on a direction board",
       route_features("cartello_indicatore, 2300, (P.L.)\n"
                      "indicatori_vmax, 2300, 130, 135, 135, 0, 130, 135, 135, 0\n"),
       kTrain, "21", route, 5, 18, 21},
      {"two stations too close", kRoute,
       train_records(station(1000, 12, 300) + station(1600, 12, 300)), "22", train, 3, 11, 22},
      {"a station at the start of the line", kRoute, train_records(station(0, 12, 100)), "24",
       train, 2, 1, 24},
      {"a record short of fields reads the next keyword", kRoute,
       train_records("velocita, 0\naderenza, 0, 100\n"), "25", train, 3, 1, 25},
      {"a number too large for its field", kRoute, train_records("sabbia, 40000\n"), "25", train, 2,
       9, 25, "40000 does not fit its field"},
      {"no route file", std::nullopt, kTrain, "101", route, 0, 0, 101},
      // The compile names the line of the last field it read looking for "[generale]".
      {"no general section", "lunghezza percorso, 5000\n[curve]\n[fine]\n", kTrain, "102", route, 3,
       0, 102},
      {"a curve without a class", route_features("curvad, 1300, 1000\n"), kTrain, "103", route, 4,
       1, 103},
      {"a direction board at 0 m", route_features("cartello_indicatore, 0, (P.L.)\n"), kTrain,
       "1250", none, 0, 0},
      {"speed boards at 0 m with a speed B",
       route_features("indicatori_vmax, 0, 0, 5, 0, 0, 0, 0, 0, 0\n"), kTrain, "1251", none, 0, 0},
  };
  return cases;
}

TEST_F(CheckCommand, FindsEachDefectWhereItIsAndLeavesTheCompileAsItIs) {
  for (const BrokenFile& c : broken_files()) {
    SCOPED_TRACE(c.what);
    const CheckOutcome outcome = check(c.route, c.train);
    ASSERT_EQ(codes_of(outcome), std::vector<std::string>{c.code});
    const check::Diagnostic& d = outcome.diagnostics.front();
    EXPECT_EQ(d.where.file, c.file);
    EXPECT_EQ(d.where.line, c.line);
    EXPECT_EQ(d.where.column, c.column);
    EXPECT_NE(d.message.find(c.message_part), std::string::npos) << d.message;
    EXPECT_EQ(code_number(outcome.facts.error_code), c.compile_code);
    const bool fatal = c.code == "1250" || c.code == "1251";
    EXPECT_EQ(outcome.facts.fatal.has_value(), fatal);
    const bool failed = c.compile_code != 0 || fatal;
    EXPECT_EQ(outcome.status, failed ? kToolRecordedFailure : kToolSuccess);
  }
}

TEST_F(CheckCommand, WatchingTheReaderLeavesWhatThePackWritesAsItIs) {
  for (const BrokenFile& c : broken_files()) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(route_);
    std::filesystem::remove(train_);
    if (c.route) write_file(route_, *c.route);
    if (c.train) write_file(train_, *c.train);
    ScenarioState unwatched;
    const auto plain = compiled(nullptr, unwatched, "plain");
    // The check's observers, looking at the state being compiled as the check runs them.
    ScenarioState watched;
    check::TextChecker checker(watched);
    check::CellOwnerTracer tracer(watched, {0, 1, 2, 40, 41, 61});
    ObserverPair both(checker, tracer);
    EXPECT_EQ(compiled(&both, watched, "watched"), plain);
  }
}

}  // namespace
}  // namespace scenario::tool
