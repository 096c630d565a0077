#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "compiled_sets.h"

namespace scenario::tool {
namespace {

using scenario::testing::TempFolder;
using scenario::testing::write_file;
using testing::lines_of;
using testing::run_scenario;
using testing::ToolRun;

// UTF-8 text, as every command line reaches the command; code page 1252 holds each character.
constexpr const char* kLine = "Città Alta_Lèrici";
constexpr const char* kNumber = "7è";

std::filesystem::path utf8_path(const std::string& text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string utf8_text(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

bool contains(const std::string& text, const std::string& piece) {
  return text.find(piece) != std::string::npos;
}

// A set compiled through the command line, with its line name, its number and its folder's
// path all outside ASCII.
class AuthorNames : public ::testing::Test {
 protected:
  void SetUp() override {
    write_file(work_ / "route.txt",
               "[generale]\nlunghezza percorso, 5000\nripetizione segnali 9 codici, 0, 0\n"
               "[curve]\n[fine]\n");
    write_file(work_ / "train.txt",
               "[generale]\nnumero vetture, 4\n[segnali]\nsegnale, 1000, 2, 5, 6, 0, 0, 0, 0,0,0, "
               "0\n[fine]\n");
    for (const std::filesystem::path& out : {set_, copy_}) {
      const ToolRun compiled = run_scenario({"compile", "--route", utf8_text(work_ / "route.txt"),
                                             "--train", utf8_text(work_ / "train.txt"), "--line",
                                             kLine, "--number", kNumber, "--out", utf8_text(out)});
      ASSERT_EQ(compiled.status, kToolSuccess) << compiled.err;
    }
  }

  std::string in_set(const std::string& ending) const {
    return utf8_text(set_ / utf8_path(kLine + ending));
  }

  TempFolder work_;
  std::filesystem::path set_ = work_.path() / utf8_path("uscita è qui");
  std::filesystem::path copy_ = work_.path() / utf8_path("copia à");
};

TEST_F(AuthorNames, TheCompileNamesItsFilesInTheSystemsOwnEncoding) {
  for (const char* ending : {"_7è.sim", "_7è.dat", "_linea.dat"}) {
    EXPECT_TRUE(std::filesystem::is_regular_file(set_ / utf8_path(kLine + std::string(ending))))
        << ending;
  }
}

TEST_F(AuthorNames, EveryInspectingCommandFindsShowsAndVerifiesTheSet) {
  const std::string folder = utf8_text(set_);
  const std::string copy = utf8_text(copy_);
  const std::string sim = in_set("_7è.sim");
  const std::string dat = in_set("_7è.dat");
  const std::string profile = in_set("_linea.dat");
  struct Case {
    std::vector<std::string> args;
    std::vector<std::string> out;  // pieces of standard output
  };
  const Case cases[] = {
      {{"verify", folder}, {sim + ": whole", dat + ": whole", profile + ": whole"}},
      {{"verify", folder, "--line", kLine, "--number", kNumber}, {sim + ": whole"}},
      {{"verify", sim, dat, profile}, {sim + ": whole", dat + ": whole", profile + ": whole"}},
      {{"dump", folder, "--line", kLine, "--number", kNumber}, {sim, "\"Città Alta_Lèrici\""}},
      {{"dump", "--kind", "signal", dat}, {dat, "signal"}},
      {{"diff", folder, copy}, {"identical"}},
      {{"diff", folder, copy, "--line", kLine, "--number", kNumber}, {"identical"}},
      {{"diff", sim, utf8_text(copy_ / utf8_path(kLine + std::string("_7è.sim")))}, {"identical"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    const ToolRun run = run_scenario(c.args);
    EXPECT_EQ(run.status, kToolSuccess) << run.out << run.err;
    EXPECT_EQ(run.err, "");
    for (const std::string& piece : c.out) EXPECT_TRUE(contains(run.out, piece)) << run.out;
  }
}

TEST_F(AuthorNames, AFileNamedForAnotherIdentityIsToldInTheAuthorsCharacters) {
  // "Ω" has no byte in code page 1252: no identity names such a file.
  for (const char* ending : {"_7è.sim", "_7è.dat"}) {
    std::filesystem::rename(set_ / utf8_path(kLine + std::string(ending)),
                            set_ / utf8_path(std::string("Città Ω") + ending));
  }
  const std::string sim = utf8_text(set_ / utf8_path("Città Ω_7è.sim"));
  const ToolRun run = run_scenario({"verify", sim});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(
      lines_of(run.out),
      std::vector<std::string>{sim + ": the names in slots 85 and 86 (line \"Città Alta_Lèrici\", "
                                     "train \"7è\") belong in a file named \"Città "
                                     "Alta_Lèrici_7è.sim\""});
}

TEST_F(AuthorNames, AnIdentityTheCodePageCannotHoldIsAWrongCommandLine) {
  for (const char* command : {"dump", "verify", "diff"}) {
    SCOPED_TRACE(command);
    std::vector<std::string> args = {command, utf8_text(set_)};
    if (std::string(command) == "diff") args.push_back(utf8_text(copy_));
    for (const char* more : {"--line", "Città Ω", "--number", kNumber}) args.push_back(more);
    const ToolRun run = run_scenario(args);
    EXPECT_EQ(run.status, kToolUsage);
    EXPECT_EQ(lines_of(run.err).size(), 1u) << run.err;
    EXPECT_TRUE(contains(run.err, "code page 1252")) << run.err;
  }
}

}  // namespace
}  // namespace scenario::tool
