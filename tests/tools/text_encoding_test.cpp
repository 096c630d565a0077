// The author's commands read text files as editors save them (code page 1252, UTF-8, UTF-16)
// and give the compile and the pack the same code page 1252 bytes whichever it was.

#include <gtest/gtest.h>

#include <cstdlib>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "compile_command.h"
#include "model/code_page_1252.h"
#include "model/utf8.h"
#include "pack_command.h"
#include "support/test_support.h"
#include "tool_main.h"

namespace scenario::tool {
namespace {

using scenario::testing::file_names;
using scenario::testing::read_file;
using scenario::testing::TempFolder;
using scenario::testing::write_file;

enum class Saved { cp1252, utf8, utf8_mark, utf16le, utf16be };

// Code page 1252 text as an editor saves it in `form`.
std::string saved_as(std::string_view text, Saved form) {
  switch (form) {
    case Saved::cp1252:
      return std::string(text);
    case Saved::utf8:
      return code_page_1252_to_utf8(text);
    case Saved::utf8_mark:
      return "\xEF\xBB\xBF" + code_page_1252_to_utf8(text);
    case Saved::utf16le:
    case Saved::utf16be:
      break;
  }
  const bool big = form == Saved::utf16be;
  std::string out = big ? "\xFE\xFF" : "\xFF\xFE";
  for (const char16_t unit : code_page_1252_to_utf16(text)) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    out += big ? high : low;
    out += big ? low : high;
  }
  return out;
}

// A route with an accented comment; a train whose station is "CITTÀ ALTA" on line 5, after a
// comment with the euro sign (0x80 in the code page). Both compile cleanly.
const std::string kRoute =
    "[generale]\nlunghezza percorso, 5000\nripetizione segnali 9 codici, 0, 0\n[curve]\n"
    "-- curva pi\xF9 stretta\n[fine]\n";
const std::string kTrain =
    "[generale]\nnumero vetture, 4\n[stazioni]\n-- biglietto 5 \x80\n"
    "stazione, 1000, 28, 300, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, CITT\xC0 ALTA\n[fine]\n";
const std::string kNotes = "Fermata a CITT\xC0 ALTA\r\n";

struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};

class TextEncoding : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* previous = std::getenv("TMPDIR");
    if (previous) previous_tmpdir_ = previous;
    ::setenv("TMPDIR", private_temp_.path().c_str(), 1);
  }
  void TearDown() override {
    EXPECT_TRUE(file_names(private_temp_.path()).empty()) << "a working folder was left";
    if (previous_tmpdir_) {
      ::setenv("TMPDIR", previous_tmpdir_->c_str(), 1);
    } else {
      ::unsetenv("TMPDIR");
    }
  }

  void save(Saved form) {
    write_file(route_, saved_as(kRoute, form));
    write_file(train_, saved_as(kTrain, form));
    write_file(notes_, saved_as(kNotes, form));
  }

  static ToolRun run(std::vector<std::string> args) {
    args.insert(args.begin(), "scenario");
    std::vector<const char*> argv;
    for (const std::string& arg : args) argv.push_back(arg.c_str());
    std::ostringstream out;
    std::ostringstream err;
    ToolRun result;
    result.status = run_tool(static_cast<int>(argv.size()), argv.data(), out, err);
    result.out = out.str();
    result.err = err.str();
    // Whatever the author's bytes, what the command prints is UTF-8.
    EXPECT_EQ(valid_utf8(result.out), result.out);
    EXPECT_EQ(valid_utf8(result.err), result.err);
    return result;
  }

  ToolRun compile(const std::filesystem::path& out, std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {
        "compile",  "--route", route_.string(), "--train",   train_.string(), "--line", "Prova",
        "--number", "7",       "--out",         out.string()};
    args.insert(args.end(), extra.begin(), extra.end());
    return run(args);
  }

  ToolRun check(std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {"check", "--route", route_.string(), "--train",
                                     train_.string()};
    args.insert(args.end(), extra.begin(), extra.end());
    return run(args);
  }

  PackRequest pack_request(const std::filesystem::path& out) const {
    PackRequest r;
    r.route = route_;
    r.train = train_;
    r.notes = notes_;
    r.line_name = "Prova";
    r.train_number = "7";
    r.target = PackTarget::linux;
    r.out = out;
    r.stub = std::filesystem::path(SCENARIO_LINUX_STUB);
    return r;
  }

  // The compiled files and the pack of the scenario as saved now, by file name, and what the
  // compile and the packer said.
  struct Made {
    std::vector<std::pair<std::string, std::string>> files;
    std::string compile_said;
    std::string pack_said;
  };
  Made compiled_and_packed(const std::string& name) {
    const std::filesystem::path out = folder_ / name;
    Made made;
    const ToolRun compiled = compile(out);
    EXPECT_EQ(compiled.status, kToolSuccess) << compiled.err;
    made.compile_said = compiled.err;
    const PackResult packed = pack_scenario(pack_request(out / "Prova_7"));
    EXPECT_EQ(packed.status, kToolSuccess) << packed.report;
    made.pack_said = packed.report;
    for (const std::string& file : file_names(out)) {
      made.files.emplace_back(file, read_file(out / file));
    }
    return made;
  }

  TempFolder folder_;
  TempFolder private_temp_;
  std::filesystem::path route_ = folder_ / "route.txt";
  std::filesystem::path train_ = folder_ / "train.txt";
  std::filesystem::path notes_ = folder_ / "notes.txt";

 private:
  std::optional<std::string> previous_tmpdir_;
};

// `text` with every `from` replaced by `to`.
std::string replaced(std::string text, const std::string& from, const std::string& to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

TEST_F(TextEncoding, EverySavedFormCompilesAndPacksToTheBytesOfTheCodePageText) {
  save(Saved::cp1252);
  const Made expected = compiled_and_packed("cp1252");
  ASSERT_EQ(expected.files.size(), 4u);  // profile, table, cells, pack
  // Code page text is given as it is, and nothing is said about its encoding.
  EXPECT_EQ(expected.compile_said.find("W19"), std::string::npos) << expected.compile_said;
  EXPECT_EQ(expected.pack_said.find("W19"), std::string::npos) << expected.pack_said;

  const struct {
    const char* what;
    Saved form;
    const char* read_as;
  } cases[] = {
      {"UTF-8", Saved::utf8, "file read as UTF-8"},
      {"UTF-8 with a mark", Saved::utf8_mark, "file read as UTF-8 with a byte order mark"},
      {"UTF-16 LE", Saved::utf16le, "file read as UTF-16 LE with a byte order mark"},
      {"UTF-16 BE", Saved::utf16be, "file read as UTF-16 BE with a byte order mark"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    save(c.form);
    const Made made = compiled_and_packed(c.what);
    EXPECT_EQ(made.files, expected.files);

    // Each converted file gets its note, once; the rest is said as of the code page text.
    const std::string note =
        ": note W19: " + std::string(c.read_as) + " and converted to code page 1252, the pack's\n";
    const auto said_besides = [&](std::string said, const std::vector<std::string>& notes) {
      for (const std::string& line : notes) {
        const auto at = said.find(line);
        EXPECT_NE(at, std::string::npos) << line;
        if (at != std::string::npos) said.erase(at, line.size());
      }
      EXPECT_EQ(said.find("W19"), std::string::npos) << said;
      return replaced(said, (folder_ / c.what).string(), (folder_ / "cp1252").string());
    };
    // Columns count bytes of the file as saved: two a character in UTF-16.
    const auto columns_as_saved = [&](const std::string& said) {
      return c.form == Saved::utf16le || c.form == Saved::utf16be
                 ? replaced(said, "train.txt:5:33:", "train.txt:5:17:")
                 : said;
    };
    EXPECT_EQ(said_besides(made.compile_said, {route_.string() + note, train_.string() + note}),
              expected.compile_said);
    EXPECT_EQ(columns_as_saved(said_besides(
                  made.pack_said,
                  {route_.string() + note, train_.string() + note, notes_.string() + note})),
              expected.pack_said);

    const ToolRun checked = check({"--format", "gcc"});
    EXPECT_EQ(checked.status, kToolSuccess);
    EXPECT_NE(checked.err.find("route.txt: note: " + std::string(c.read_as) + " and converted"),
              std::string::npos)
        << checked.err;
    const ToolRun quiet = check({"--format", "gcc", "--exclude", "W19"});
    EXPECT_EQ(quiet.err.find("W19"), std::string::npos) << quiet.err;
  }
}

TEST_F(TextEncoding, TheEncodingCanBeDecided) {
  save(Saved::cp1252);
  const Made expected = compiled_and_packed("expected");
  // UTF-16 without a mark, as only --encoding utf-16 can say.
  std::string unmarked_route = saved_as(kRoute, Saved::utf16le).substr(2);
  std::string unmarked_train = saved_as(kTrain, Saved::utf16le).substr(2);
  write_file(route_, unmarked_route);
  write_file(train_, unmarked_train);
  const ToolRun compiled = compile(folder_ / "utf16", {"--encoding", "utf-16"});
  EXPECT_EQ(compiled.status, kToolSuccess) << compiled.err;
  for (const auto& [name, bytes] : expected.files) {
    if (name == "Prova_7") continue;
    EXPECT_EQ(read_file(folder_ / "utf16" / name), bytes) << name;
  }

  // UTF-8 read as code page 1252 on purpose: its bytes stand as they are, two letters for "À".
  save(Saved::utf8);
  const ToolRun as_bytes = compile(folder_ / "bytes", {"--encoding", "cp1252"});
  EXPECT_EQ(as_bytes.status, kToolSuccess) << as_bytes.err;
  EXPECT_EQ(as_bytes.err.find("W19"), std::string::npos) << as_bytes.err;
  EXPECT_NE(read_file(folder_ / "bytes" / "Prova_7.sim").find("CITT\xC3\x80 ALTA"),
            std::string::npos);

  EXPECT_EQ(compile(folder_ / "x", {"--encoding", "latin9"}).status, kToolUsage);
}

// A character code page 1252 has no byte for stops every command at its place in the file as
// saved, and nothing is written.
TEST_F(TextEncoding, RefusesACharacterTheCodePageLacksAtItsLineAndColumn) {
  const std::string station_line =
      "stazione, 1000, 28, 300, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, CITT\xC3\x80 \xC5\x90ST";
  const std::string line4 = "-- biglietto 5 \xE2\x82\xAC";
  write_file(route_, code_page_1252_to_utf8(kRoute));
  write_file(train_, "[generale]\nnumero vetture, 4\n[stazioni]\n" + line4 + "\n" + station_line +
                         "\n[fine]\n");
  write_file(notes_, kNotes);
  // Line 5, at the byte where "Ő" starts.
  const std::string column = std::to_string(station_line.find("\xC5\x90") + 1);
  const std::string place =
      "train.txt:5:" + column + ": error W19: the character U+0150 \"\xC5\x90\"";

  const std::filesystem::path out = folder_ / "out";
  const ToolRun compiled = compile(out);
  EXPECT_EQ(compiled.status, kToolRecordedFailure);
  EXPECT_NE(compiled.err.find(place), std::string::npos) << compiled.err;
  EXPECT_FALSE(std::filesystem::exists(out) && !file_names(out).empty());

  const ToolRun json = compile(out, {"--json"});
  EXPECT_EQ(json.status, kToolRecordedFailure);
  const auto report = nlohmann::json::parse(json.out);
  EXPECT_EQ(report["file"], train_.string());
  EXPECT_EQ(report["line"], 5);
  EXPECT_NE(report["message"].get<std::string>().find("U+0150"), std::string::npos);

  const ToolRun checked = check();
  EXPECT_EQ(checked.status, kToolRecordedFailure);
  EXPECT_NE(checked.err.find(place), std::string::npos) << checked.err;
  const auto found = nlohmann::json::parse(check({"--format", "json"}).out);
  bool seen = false;
  for (const auto& d : found["diagnostics"]) {
    if (d["code"] != "W19" || d["level"] != "error") continue;
    seen = true;
    EXPECT_EQ(d["line"], 5);
    EXPECT_EQ(d["column"], std::stoi(column));
  }
  EXPECT_TRUE(seen) << found.dump();

  const std::filesystem::path page = folder_ / "page.html";
  const ToolRun reported = run({"report", "--route", route_.string(), "--train", train_.string(),
                                "--line", "Prova", "--number", "7", "-o", page.string()});
  EXPECT_EQ(reported.status, kToolRecordedFailure);
  EXPECT_NE(reported.err.find(place), std::string::npos) << reported.err;
  EXPECT_FALSE(std::filesystem::exists(page));

  for (const bool allow : {false, true}) {
    PackRequest r = pack_request(folder_ / "pack");
    r.allow_failures = allow;
    const PackResult packed = pack_scenario(r);
    EXPECT_EQ(packed.status, kToolRecordedFailure);
    EXPECT_NE(packed.report.find(place), std::string::npos) << packed.report;
    EXPECT_FALSE(std::filesystem::exists(folder_ / "pack"));
  }

  // The same in a file only the pack reads.
  write_file(train_, code_page_1252_to_utf8(kTrain));
  write_file(notes_, "ok\r\nnon \xC5\x91\r\n");
  const PackResult packed = pack_scenario(pack_request(folder_ / "pack"));
  EXPECT_EQ(packed.status, kToolRecordedFailure);
  EXPECT_NE(packed.report.find("notes.txt:2:5: error W19: the character U+0151"), std::string::npos)
      << packed.report;
  EXPECT_FALSE(std::filesystem::exists(folder_ / "pack"));
}

// Diagnostics point at the author's lines and columns as saved, quote the author's text as
// UTF-8 and show the line it was found on as UTF-8.
TEST_F(TextEncoding, DiagnosticsPointAtTheFileAsSavedAndQuoteItAsUtf8) {
  // A station name cut at a comma (W06), the comma behind an accented letter on its line.
  const std::string text =
      "[generale]\nnumero vetture, 4\n[stazioni]\n"
      "stazione, 1000, 28, 300, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, CITT\xC0, ALTA\n[fine]\n";
  // W06 stands at the comma that cuts the name.
  const std::size_t field = std::string_view(text).substr(text.find("stazione")).find(", ALTA");
  write_file(route_, kRoute);
  const struct {
    const char* what;
    Saved form;
    std::size_t column;  // bytes of the saved line before the comma, plus 1
  } cases[] = {
      {"code page", Saved::cp1252, field + 1},
      {"UTF-8", Saved::utf8, field + 2},
      {"UTF-16 LE", Saved::utf16le, 2 * field + 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    write_file(train_, saved_as(text, c.form));
    const auto found = nlohmann::json::parse(check({"--format", "json"}).out);
    bool seen = false;
    for (const auto& d : found["diagnostics"]) {
      if (d["code"] != "W06") continue;
      seen = true;
      EXPECT_EQ(d["line"], 4);
      EXPECT_EQ(d["column"], c.column);
      EXPECT_NE(d["message"].get<std::string>().find("\"CITT\xC3\x80\""), std::string::npos)
          << d["message"];
    }
    EXPECT_TRUE(seen) << found.dump();
    const ToolRun human = check();
    EXPECT_NE(human.err.find("train.txt:4:" + std::to_string(c.column) + ": warning W06"),
              std::string::npos)
        << human.err;
    EXPECT_NE(human.err.find("| stazione, 1000, 28, 300, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, "
                             "CITT\xC3\x80, ALTA\n"),
              std::string::npos)
        << human.err;
  }
}

}  // namespace
}  // namespace scenario::tool
