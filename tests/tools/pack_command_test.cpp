#include "pack_command.h"
#include "output_path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "compile_command.h"
#include "model/file_fault.h"
#include "payload/payload_format.h"
#include "platform/pack_trailer.h"
#include "support/test_support.h"
#include "tool_main.h"

namespace scenario::tool {
namespace {

using scenario::testing::file_names;
using scenario::testing::read_file;
using scenario::testing::TempFolder;
using scenario::testing::write_file;

// A route 5000 m long without cab signalling, its features from line 5, and a train whose
// records follow from line 4; with no features and no records both compile cleanly.
std::string route_with(const std::string& features) {
  return "[generale]\nlunghezza percorso, 5000\nripetizione segnali 9 codici, 0, 0\n[curve]\n" +
         features + "[fine]\n";
}
std::string train_with(const std::string& records) {
  return "[generale]\nnumero vetture, 4\n[stazioni]\n" + records + "[fine]\n";
}

// The payload block a Linux pack carries, checked, read back from its own bytes.
std::optional<std::string> carried_block(const std::string& pack) {
  if (pack.size() < kTrailerSize) return std::nullopt;
  const auto span =
      read_pack_trailer(std::string_view(pack).substr(pack.size() - kTrailerSize), pack.size());
  if (!std::holds_alternative<BlockSpan>(span)) return std::nullopt;
  const BlockSpan block = std::get<BlockSpan>(span);
  return pack.substr(block.offset, block.size);
}

// The line a pack written at `pack` is told with, its size in thousands of bytes.
std::string written_line(const std::filesystem::path& pack) {
  return "wrote pack '" + pack.generic_string() + "' (" +
         std::to_string((std::filesystem::file_size(pack) + 500) / 1000) +
         " KB) for line Prova Breve, train 7\n";
}

class PackCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* previous = std::getenv("TMPDIR");
    if (previous) previous_tmpdir_ = previous;
    ::setenv("TMPDIR", private_temp_.path().c_str(), 1);
    write_file(route_, route_with(""));
    write_file(train_, train_with(""));
    write_file(notes_, "note del treno\r\n");
    std::filesystem::create_directory(out_);
  }
  void TearDown() override {
    if (previous_tmpdir_) {
      ::setenv("TMPDIR", previous_tmpdir_->c_str(), 1);
    } else {
      ::unsetenv("TMPDIR");
    }
    // The check compiles in a private folder of its own, which must be gone again.
    EXPECT_TRUE(file_names(private_temp_.path()).empty());
  }

  PackRequest request() const {
    PackRequest r;
    r.route = route_;
    r.train = train_;
    r.notes = notes_;
    r.line_name = "Prova Breve";
    r.train_number = "7";
    r.target = PackTarget::linux;
    r.out = out_;
    r.stub = std::filesystem::path(SCENARIO_LINUX_STUB);
    return r;
  }

  TempFolder folder_;
  TempFolder private_temp_;
  std::filesystem::path route_ = folder_ / "my route.txt";
  std::filesystem::path train_ = folder_ / "my train.txt";
  std::filesystem::path notes_ = folder_ / "notes.txt";
  std::filesystem::path out_ = folder_ / "packs";

 private:
  std::optional<std::string> previous_tmpdir_;
};

TEST_F(PackCommand, WritesAnExecutableLinuxPackCarryingTheScenario) {
  const PackResult result = pack_scenario(request());
  ASSERT_EQ(result.status, kToolSuccess) << result.report;
  ASSERT_EQ(result.written, out_ / "Prova Breve_7");
  EXPECT_EQ(result.report, written_line(*result.written));
  EXPECT_EQ(file_names(out_), std::vector<std::string>{"Prova Breve_7"});
  const auto mode = std::filesystem::status(*result.written).permissions();
  EXPECT_NE(mode & std::filesystem::perms::owner_exec, std::filesystem::perms::none);

  const std::string pack = read_file(*result.written);
  const std::string stub = read_file(SCENARIO_LINUX_STUB);
  EXPECT_EQ(pack.substr(0, stub.size()), stub);
  const auto block = carried_block(pack);
  ASSERT_TRUE(block.has_value());
  const auto payload = decode_payload(*block);
  ASSERT_TRUE(std::holds_alternative<ScenarioPayload>(payload));
  const ScenarioPayload& carried = std::get<ScenarioPayload>(payload);
  EXPECT_EQ(carried.line_name, "Prova Breve");
  EXPECT_EQ(carried.train_number, "7");
  EXPECT_EQ(carried.route, route_with(""));
  EXPECT_EQ(carried.train, train_with(""));
  EXPECT_EQ(carried.notes, "note del treno\r\n");
  EXPECT_EQ(carried.slowdowns, "");
  EXPECT_EQ(carried.sheet, "");
}

TEST_F(PackCommand, ReplacesAnOlderPackWhole) {
  write_file(out_ / "Prova Breve_7", std::string(5'000'000, 'x'));
  const PackResult result = pack_scenario(request());
  ASSERT_EQ(result.status, kToolSuccess) << result.report;
  EXPECT_EQ(std::filesystem::file_size(out_ / "Prova Breve_7"),
            std::filesystem::file_size(SCENARIO_LINUX_STUB) +
                encode_payload({"Prova Breve", "7", route_with(""), train_with(""),
                                "note del treno\r\n", "", ""})
                    ->size() +
                kTrailerSize);
  EXPECT_EQ(file_names(out_), std::vector<std::string>{"Prova Breve_7"});
}

TEST_F(PackCommand, TakesTheOutputAsAFileOrAFolderByItsShape) {
  write_file(out_ / "vecchio", "an older pack");
  std::filesystem::create_directory(out_ / "esistente.d");
  struct Case {
    std::filesystem::path out;
    std::filesystem::path written;
  };
  const std::filesystem::path pack = "Prova Breve_7";
  const Case cases[] = {
      // An extension, or a file that is there: the pack's own file.
      {out_ / "altro nome.run", out_ / "altro nome.run"},
      {out_ / "vecchio", out_ / "vecchio"},
      {out_ / "nuove" / "cartelle" / "pacco.run", out_ / "nuove" / "cartelle" / "pacco.run"},
      // A Linux pack has no extension: a new name without one is its file, in folders made
      // when missing.
      {out_ / "new folder", out_ / "new folder"},
      {out_ / "a" / "b", out_ / "a" / "b"},
      // A separator at the end or a folder that is there: a folder, made when missing, that the
      // pack takes its own name in.
      {out_ / "finisce" / "", out_ / "finisce" / pack},
      {out_ / "esistente.d", out_ / "esistente.d" / pack},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.out.string());
    PackRequest r = request();
    r.out = c.out;
    const PackResult result = pack_scenario(r);
    ASSERT_EQ(result.status, kToolSuccess) << result.report;
    EXPECT_EQ(result.written, c.written);
    ASSERT_TRUE(std::filesystem::is_regular_file(c.written));
    EXPECT_EQ(read_file(c.written).substr(0, 4),
              "\x7F"
              "ELF");
  }
}

// A Windows pack is of no use without its ".exe": a new path without an extension is a folder.
TEST_F(PackCommand, TakesANewNameWithoutExtensionAsAFolderForAWindowsPack) {
  write_file(out_ / "vecchio", "an older pack");
  const std::filesystem::path exe = "Prova Breve_7.exe";
  const struct {
    std::filesystem::path given;
    std::filesystem::path written;
  } cases[] = {
      {out_ / "new folder", out_ / "new folder" / exe},
      {out_ / "a" / "b", out_ / "a" / "b" / exe},
      {out_ / "finisce" / "", out_ / "finisce" / exe},
      {out_ / "altro.exe", out_ / "altro.exe"},
      {out_ / "vecchio", out_ / "vecchio"},  // a file that is there stays the pack's file
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.given.string());
    EXPECT_EQ(output_file_or_new_folder(c.given, exe), c.written);
  }
}

TEST_F(PackCommand, RefusesAScenarioThatRecordsAFailureUnlessAllowed) {
  const struct {
    const char* what;
    std::string route;
    std::string train;
    int status;
    std::string said;  // "{train}" stands for the author's train file
  } cases[] = {
      {"a station off the 50 m grid", route_with(""),
       train_with("stazione, 1025, 12, 300, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, FERMATA\n"),
       kToolRecordedFailure,
       "{train}:4:11: error 8: station position is not a multiple of 50 (at 1025 m)\n"
       "    4 | stazione, 1025, 12, 300, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, FERMATA\n"
       "      |           ^~~~\n"},
      {"the error box", route_with("cartello_indicatore, 0, ZERO\n"), train_with(""), kToolErrorBox,
       "error 1250: a reserved marker field was already in use (error box)\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all(out_);
    std::filesystem::create_directory(out_);
    write_file(route_, c.route);
    write_file(train_, c.train);
    std::string said = c.said;
    if (auto at = said.find("{train}"); at != std::string::npos) {
      said.replace(at, 7, train_.string());
    }

    PackResult result = pack_scenario(request());
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.report.substr(0, said.size()), said);
    EXPECT_NE(result.report.find("not packed"), std::string::npos);
    EXPECT_FALSE(result.written.has_value());
    EXPECT_TRUE(file_names(out_).empty());

    PackRequest allowed = request();
    allowed.allow_failures = true;
    result = pack_scenario(allowed);
    EXPECT_EQ(result.status, kToolSuccess);
    EXPECT_EQ(result.report.substr(0, said.size()), said);
    EXPECT_NE(result.report.find("packed all the same"), std::string::npos);
    EXPECT_EQ(file_names(out_), std::vector<std::string>{"Prova Breve_7"});
  }
}

TEST_F(PackCommand, ShowsTheChecksWarningsAndNotesBeforeItPacksUnlessQuiet) {
  // A misspelt keyword (W01), a speed limit off the multiples of 5 (W18), and a route named as
  // the pack names its own copy (W20).
  const std::filesystem::path route = folder_ / "Prova Breve_linea.txt";
  write_file(route, route_with(""));
  write_file(train_, "[generale]\nnumero vettture, 4\nvelocita, 0, 32\n[fine]\n");
  PackRequest r = request();
  r.route = route;
  PackResult result = pack_scenario(r);
  ASSERT_EQ(result.status, kToolSuccess) << result.report;
  const std::string& said = result.report;
  const std::size_t w20 = said.find(route.string() + ": note W20: the route file is named");
  const std::size_t w01 = said.find(train_.string() + ":2:1: warning W01: \"numero vettture\"");
  const std::size_t w18 = said.find(train_.string() + ":3:14: note W18:");
  const std::size_t wrote = said.find("wrote pack '");
  EXPECT_NE(w20, std::string::npos) << said;
  EXPECT_NE(w01, std::string::npos) << said;
  EXPECT_NE(w18, std::string::npos) << said;
  // In file order, as the check shows them, with the source line, and then what was written.
  EXPECT_LT(w20, w01);
  EXPECT_LT(w01, w18);
  EXPECT_NE(said.find("    2 | numero vettture, 4\n"), std::string::npos) << said;
  EXPECT_EQ(said.substr(wrote), written_line(*result.written));
  EXPECT_EQ(said.find('\033'), std::string::npos);

  r.color = true;
  EXPECT_NE(pack_scenario(r).report.find("\033[1;35mwarning W01:\033[0m"), std::string::npos);

  r.quiet = true;
  result = pack_scenario(r);
  EXPECT_EQ(result.status, kToolSuccess);
  EXPECT_EQ(result.report, "");
  EXPECT_EQ(file_names(out_), std::vector<std::string>{"Prova Breve_7"});
}

TEST_F(PackCommand, RefusesATrainFileItWouldSkipWholeUnlessAllowed) {
  const std::string skipped = "numero vetture, 4\nvelocita, 0, 60\n[fine]\n";  // no [generale]
  write_file(train_, skipped);
  for (const bool quiet : {false, true}) {
    SCOPED_TRACE(quiet ? "quiet" : "not quiet");
    PackRequest r = request();
    r.quiet = quiet;
    PackResult result = pack_scenario(r);
    EXPECT_EQ(result.status, kToolRecordedFailure);
    EXPECT_FALSE(result.written.has_value());
    EXPECT_TRUE(file_names(out_).empty());
    // The refusal names the file and the reason, also when quiet.
    EXPECT_NE(result.report.find("scenario: not packed: the pack skips the train file " +
                                 train_.string() + " whole"),
              std::string::npos)
        << result.report;
    EXPECT_NE(result.report.find("--allow-failures"), std::string::npos);
    EXPECT_EQ(result.report.find("warning W11") != std::string::npos, !quiet) << result.report;

    r.allow_failures = true;
    result = pack_scenario(r);
    EXPECT_EQ(result.status, kToolSuccess) << result.report;
    EXPECT_NE(result.report.find("packed all the same (--allow-failures): the pack skips the "
                                 "train file"),
              std::string::npos)
        << result.report;
    EXPECT_EQ(file_names(out_), std::vector<std::string>{"Prova Breve_7"});
    std::filesystem::remove(out_ / "Prova Breve_7");
  }
  // A route file without "[generale]" is a failure the pack records, refused as such.
  write_file(train_, train_with(""));
  write_file(route_, "lunghezza percorso, 5000\n[curve]\n[fine]\n");
  const PackResult result = pack_scenario(request());
  EXPECT_EQ(result.status, kToolRecordedFailure);
  EXPECT_NE(result.report.find("error 102"), std::string::npos) << result.report;
  EXPECT_TRUE(file_names(out_).empty());
}

// A pack run writes its route and train files into its folder, compiles and deletes them, and
// writes its notes, slowdowns and sheet there: a folder where that would lose the author's
// text is refused, unless forced.
TEST_F(PackCommand, RefusesAFolderWhereItsRunWouldLoseTheAuthorsFiles) {
  const std::string pack_notes = "note del treno\r\n";  // as request() gives them, CR LF
  const struct {
    const char* what;
    std::vector<std::pair<std::string, std::string>> present;  // files in the pack's folder
    bool force;
    int status;
    std::vector<std::string> named;  // the files the refusal names
  } cases[] = {
      {"the route named as the pack's",
       {{"Prova Breve_linea.txt", route_with("")}},
       false,
       kToolWouldLoseFiles,
       {"Prova Breve_linea.txt"}},
      {"the train named as the pack's",
       {{"Prova Breve_7-.txt", train_with("")}},
       false,
       kToolWouldLoseFiles,
       {"Prova Breve_7-.txt"}},
      {"notes that differ",
       {{"Prova Breve_7_note.txt", "altre note\r\n"}},
       false,
       kToolWouldLoseFiles,
       {"Prova Breve_7_note.txt"}},
      {"notes with other line ends",
       {{"Prova Breve_7_note.txt", "note del treno\n"}},
       false,
       kToolWouldLoseFiles,
       {"Prova Breve_7_note.txt"}},
      {"slowdowns where the pack has none, and a sheet",
       {{"Prova Breve_7_rallentamenti.txt", "rallentamento\r\n"},
        {"Prova Breve_7_scheda_treno.txt", "scheda\r\n"}},
       false,
       kToolWouldLoseFiles,
       {"Prova Breve_7_rallentamenti.txt", "Prova Breve_7_scheda_treno.txt"}},
      {"the same notes, and an empty sheet as the pack's",
       {{"Prova Breve_7_note.txt", pack_notes}, {"Prova Breve_7_scheda_treno.txt", ""}},
       false,
       kToolSuccess,
       {}},
      {"older binary files",
       {{"Prova Breve_linea.dat", "old"},
        {"Prova Breve_7.sim", "old"},
        {"Prova Breve_7.dat", "old"}},
       false,
       kToolSuccess,
       {}},
      {"another line's and another train's files",
       {{"Altra_linea.txt", "x"}, {"Prova Breve_8-.txt", "x"}, {"Prova Breve_8_note.txt", "x"}},
       false,
       kToolSuccess,
       {}},
      {"forced",
       {{"Prova Breve_linea.txt", "x"}, {"Prova Breve_7_note.txt", "altre note"}},
       true,
       kToolSuccess,
       {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all(out_);
    std::filesystem::create_directory(out_);
    std::vector<std::string> before;
    for (const auto& [name, text] : c.present) {
      write_file(out_ / name, text);
      before.push_back(name);
    }
    std::sort(before.begin(), before.end());
    PackRequest r = request();
    r.force = c.force;
    const PackResult result = pack_scenario(r);
    EXPECT_EQ(result.status, c.status) << result.report;
    if (c.status == kToolSuccess) {
      EXPECT_TRUE(result.written.has_value());
      continue;
    }
    // Nothing written, every file as it was, and the refusal says why and how to mend it.
    EXPECT_FALSE(result.written.has_value());
    EXPECT_EQ(file_names(out_), before);
    for (const auto& [name, text] : c.present) EXPECT_EQ(read_file(out_ / name), text);
    EXPECT_NE(result.report.find("would lose files that are yours"), std::string::npos)
        << result.report;
    for (const std::string& name : c.named) {
      EXPECT_NE(result.report.find("  " + (out_ / name).generic_string() + ": "), std::string::npos)
          << result.report;
    }
    EXPECT_NE(result.report.find("keep your sources under other names or in another folder"),
              std::string::npos);
    EXPECT_NE(result.report.find("--force"), std::string::npos);
  }
}

TEST_F(PackCommand, RefusesWhatItCannotReadOrName) {
  const std::filesystem::path text_stub = folder_ / "not a stub";
  write_file(text_stub, "#!/bin/sh\n");
  const struct {
    const char* what;
    void (*change)(PackRequest&, const std::filesystem::path&);
    int status;
    std::string said;
  } cases[] = {
      {"a line name with a folder separator",
       [](PackRequest& r, const std::filesystem::path&) { r.line_name = "Prova/Breve"; },
       kToolUsage, "'/'"},
      {"a device name", [](PackRequest& r, const std::filesystem::path&) { r.line_name = "NUL"; },
       kToolUsage, "device"},
      {"a notes file that is not there",
       [](PackRequest& r, const std::filesystem::path& f) { r.notes = f / "missing notes.txt"; },
       kToolFileFault, "missing notes.txt"},
      {"a stub that is not there",
       [](PackRequest& r, const std::filesystem::path& f) { r.stub = f / "no stub"; },
       kToolFileFault, "no stub"},
      {"a stub that is not an executable",
       [](PackRequest& r, const std::filesystem::path& f) { r.stub = f / "not a stub"; },
       kToolFileFault, "not a pack stub: not a Linux executable"},
      {"a Linux pack given as the stub",
       [](PackRequest& r, const std::filesystem::path& f) { r.stub = f / "packs" / "earlier.run"; },
       kToolFileFault, "it is a pack already"},
  };
  PackRequest earlier = request();
  earlier.out = out_ / "earlier.run";
  ASSERT_EQ(pack_scenario(earlier).status, kToolSuccess);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    PackRequest r = request();
    c.change(r, folder_.path());
    const PackResult result = pack_scenario(r);
    EXPECT_EQ(result.status, c.status);
    EXPECT_NE(result.report.find(c.said), std::string::npos) << result.report;
    EXPECT_EQ(file_names(out_), std::vector<std::string>{"earlier.run"});
  }
}

TEST_F(PackCommand, FindsTheStubBesideTheCommandOrWhereAnInstallationPutsIt) {
  const std::filesystem::path bin = folder_ / "prefix" / "bin";
  const std::filesystem::path installed = folder_ / "prefix" / "lib" / "scenario";
  std::filesystem::create_directories(bin);
  std::filesystem::create_directories(installed);
  PackRequest r = request();
  r.stub.reset();
  r.command_folder = bin;

  PackResult result = pack_scenario(r);
  EXPECT_EQ(result.status, kToolFileFault);
  for (const auto& place : stub_places(bin, PackTarget::linux)) {
    EXPECT_NE(result.report.find(place.string()), std::string::npos) << result.report;
  }
  EXPECT_EQ(stub_places(bin, PackTarget::linux).back(), installed / "scenario-pack-linux");
  EXPECT_EQ(stub_places(bin, PackTarget::windows).front(), bin / "scenario-pack-windows.exe");

  std::filesystem::copy_file(SCENARIO_LINUX_STUB, installed / "scenario-pack-linux");
  result = pack_scenario(r);
  EXPECT_EQ(result.status, kToolSuccess) << result.report;

  // Beside the command comes first: a file there that is no stub is used, and refused.
  write_file(bin / "scenario-pack-linux", "not a stub");
  result = pack_scenario(r);
  EXPECT_NE(result.report.find(path_text(bin / "scenario-pack-linux")), std::string::npos)
      << result.report;
  EXPECT_EQ(result.status, kToolFileFault);
}

TEST_F(PackCommand, TheCommandLineTakesTheOptionsAndRefusesWrongOnes) {
  const auto run = [](std::vector<std::string> args) {
    args.insert(args.begin(), "scenario");
    std::vector<const char*> argv;
    for (const std::string& arg : args) argv.push_back(arg.c_str());
    std::ostringstream out;
    std::ostringstream err;
    return run_tool(static_cast<int>(argv.size()), argv.data(), out, err);
  };
  const std::vector<std::string> base = {"pack",        "--route",       route_.string(),
                                         "--train",     train_.string(), "--line",
                                         "Prova Breve", "--number",      "7"};
  auto with = [&](std::vector<std::string> extra) {
    std::vector<std::string> args = base;
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
  };
  EXPECT_EQ(
      run(with({"--target", "linux", "--stub", SCENARIO_LINUX_STUB, "-o", out_.string(), "--notes",
                notes_.string(), "--slowdowns", notes_.string(), "--sheet", notes_.string()})),
      kToolSuccess);
  EXPECT_EQ(file_names(out_), std::vector<std::string>{"Prova Breve_7"});
  EXPECT_EQ(run(with({"--target", "linux", "--stub", SCENARIO_LINUX_STUB, "-o", out_.string(),
                      "--quiet", "--force", "--allow-failures"})),
            kToolSuccess);
  EXPECT_EQ(run(with({"--target", "dos"})), kToolUsage);
  EXPECT_EQ(run({"pack", "--route", route_.string(), "--line", "L", "--number", "1"}), kToolUsage);
  EXPECT_EQ(run({"pack", "--help"}), kToolSuccess);
}

TEST_F(PackCommand, TheCommandSaysOnStandardErrorWhatItWroteOrWhyNot) {
  const auto run = [](std::vector<std::string> args, std::string& err) {
    args.insert(args.begin(), "scenario");
    std::vector<const char*> argv;
    for (const std::string& arg : args) argv.push_back(arg.c_str());
    std::ostringstream out;
    std::ostringstream errors;
    const int status = run_tool(static_cast<int>(argv.size()), argv.data(), out, errors);
    EXPECT_EQ(out.str(), "");
    err = errors.str();
    return status;
  };
  const std::vector<std::string> args = {
      "pack",   "--route",     route_.string(),     "--train", train_.string(),
      "--line", "Prova Breve", "--number",          "7",       "--target",
      "linux",  "--stub",      SCENARIO_LINUX_STUB, "-o",      out_.string()};
  std::string err;
  ASSERT_EQ(run(args, err), kToolSuccess) << err;
  EXPECT_EQ(err, written_line(out_ / "Prova Breve_7"));

  std::vector<std::string> quiet = args;
  quiet.push_back("-q");
  ASSERT_EQ(run(quiet, err), kToolSuccess) << err;
  EXPECT_EQ(err, "");

  write_file(out_ / "Prova Breve_linea.txt", route_with(""));
  EXPECT_EQ(run(quiet, err), kToolWouldLoseFiles);
  EXPECT_NE(err.find((out_ / "Prova Breve_linea.txt").generic_string()), std::string::npos) << err;
  std::vector<std::string> forced = quiet;
  forced.push_back("--force");
  EXPECT_EQ(run(forced, err), kToolSuccess) << err;
}

// Names are held as code page 1252 text by the pack; the compile that stands for it holds them
// the same way, so a non-ASCII name gives the pack's bytes and UTF-8 file names.
TEST_F(PackCommand, CompileHoldsANonAsciiNameAsThePackDoes) {
  const std::filesystem::path compiled = folder_ / "compiled";
  std::vector<std::string> args = {
      "scenario",      "compile",         "--route",      route_.string(), "--train",
      train_.string(), "--line",          "Citt\xC3\xA0", "--number",      "7",
      "--out",         compiled.string(), "--json"};
  std::vector<const char*> argv;
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  std::ostringstream out;
  std::ostringstream err;
  ASSERT_EQ(run_tool(static_cast<int>(argv.size()), argv.data(), out, err), kToolSuccess)
      << err.str();
  EXPECT_EQ(file_names(compiled),
            (std::vector<std::string>{"Citt\xC3\xA0_7.dat", "Citt\xC3\xA0_7.sim",
                                      "Citt\xC3\xA0_linea.dat"}));
  EXPECT_NE(out.str().find("\"Citt\xC3\xA0_7.sim\""), std::string::npos) << out.str();
  // The scenario table holds the line name in slot 85 as its single-byte characters.
  const std::string table = read_file(compiled / "Citt\xC3\xA0_7.sim");
  EXPECT_NE(table.find(std::string("\x05\0Citt\xE0", 7)), std::string::npos);
  EXPECT_EQ(table.find("Citt\xC3\xA0"), std::string::npos);
}

}  // namespace
}  // namespace scenario::tool
