#include "check_cli/explain_command.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "check/failure_explanations.h"
#include "check/finding.h"
#include "check_cli/check_command.h"
#include "model/error_meanings.h"
#include "support/test_support.h"

namespace scenario::tool {
namespace {

using scenario::testing::TempFolder;
using scenario::testing::write_file;

TEST(ExplainCommand, EveryCodeOfTheSystemHasAnExplanation) {
  std::vector<FailureCode> meant;
  for (const ErrorMeaning& m : error_meanings()) {
    meant.push_back(m.code);
    const std::string number = std::to_string(code_number(m.code));
    SCOPED_TRACE(number);
    const auto text = explain_text(number);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(text->rfind("error " + number + ": " + std::string(m.meaning), 0), 0u) << *text;
    EXPECT_NE(text->find("Example"), std::string::npos);
    EXPECT_NE(text->find("Fix:"), std::string::npos);
  }
  const auto explained = check::explained_failures();
  EXPECT_EQ(std::vector<FailureCode>(explained.begin(), explained.end()), meant);

  for (const check::Finding finding : check::all_findings()) {
    const std::string code = check::finding_code(finding);
    SCOPED_TRACE(code);
    const auto text = explain_text(code);
    ASSERT_TRUE(text.has_value());
    const std::string level =
        check::explanation(finding).level == check::Level::note ? "note" : "warning";
    EXPECT_EQ(text->rfind(code + " (" + level + "): ", 0), 0u) << *text;
  }
}

TEST(ExplainCommand, ReadsCodesAsAuthorsWriteThem) {
  const struct {
    const char* given;
    std::optional<std::string> heading;
  } cases[] = {
      {"16", "error 16: "},    {"W06", "W06 (warning): "}, {"w6", "W06 (warning): "},
      {"W14", "W14 (note): "}, {"14", std::nullopt},       {"W00", std::nullopt},
      {"W19", "W19 (note): "}, {"16x", std::nullopt},      {"", std::nullopt},
      {"-1", std::nullopt},    {"W20", "W20 (note): "},    {"W21", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.given);
    const auto text = explain_text(c.given);
    ASSERT_EQ(text.has_value(), c.heading.has_value());
    if (text) {
      EXPECT_EQ(text->rfind(*c.heading, 0), 0u) << *text;
    }
  }
}

TEST(ExplainCommand, LinesAreWrappedAndTheExampleIsShownAsWritten) {
  const std::string text = *explain_text("W06");
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    EXPECT_LE(end - start, 78u) << text.substr(start, end - start);
    start = end + 1;
  }
  EXPECT_NE(text.find("Example, in a route file:\n    [generale]\n    lunghezza percorso, 5000\n"
                      "    [curve]\n    cartello_indicatore, 1350, (DEV, U.)\n    [fine]\n"),
            std::string::npos)
      << text;
}

// The examples are real: checked beside the plain other file, each gives its own code.
TEST(ExplainCommand, EveryExampleGivesItsCode) {
  TempFolder folder;
  TempFolder temp;
  const char* previous = std::getenv("TMPDIR");
  const std::optional<std::string> kept =
      previous ? std::optional<std::string>(previous) : std::nullopt;
  ::setenv("TMPDIR", temp.path().c_str(), 1);
  const std::string plain_route = "[generale]\nlunghezza percorso, 5000\n[curve]\n[fine]\n";
  const std::string plain_train = "[generale]\n[fine]\n";

  const auto run = [&](const check::Example& example) {
    write_file(folder / "route.txt", example.file == TextFile::route ? example.text : plain_route);
    write_file(folder / "train.txt", example.file == TextFile::train ? example.text : plain_train);
    CheckRequest request;
    request.route = folder / "route.txt";
    request.train = folder / "train.txt";
    return check_scenario(request);
  };
  for (const check::Finding finding : check::all_findings()) {
    SCOPED_TRACE(check::finding_code(finding));
    const check::Example& example = check::explanation(finding).example;
    if (example.file == TextFile::none) continue;  // about a file's name, not its text
    const CheckOutcome outcome = run(example);
    EXPECT_EQ(outcome.facts.error_code, FailureCode::none);
    std::vector<std::string> codes;
    for (const check::Diagnostic& d : outcome.diagnostics) codes.push_back(d.code);
    EXPECT_EQ(codes, std::vector<std::string>{check::finding_code(finding)});
  }
  for (FailureCode code : check::explained_failures()) {
    SCOPED_TRACE(code_number(code));
    const auto e = check::failure_explanation(code);
    if (e->example.file == TextFile::none) continue;  // told in words: too large, or no file
    const CheckOutcome outcome = run(e->example);
    if (code == FailureCode::marker_in_use || code == FailureCode::integrity_code_in_use) {
      EXPECT_EQ(outcome.facts.fatal, code);
      EXPECT_EQ(outcome.facts.error_code, FailureCode::none);
    } else {
      EXPECT_EQ(outcome.facts.error_code, code);
    }
  }
  if (kept) {
    ::setenv("TMPDIR", kept->c_str(), 1);
  } else {
    ::unsetenv("TMPDIR");
  }
}

TEST(ExplainCommand, TheReadmeListsEveryCheckCode) {
  const std::string readme = testing::read_file(SCENARIO_README);
  for (const check::Finding finding : check::all_findings()) {
    const check::Explanation& e = check::explanation(finding);
    const std::string row = "| " + check::finding_code(finding) + " | " +
                            (e.level == check::Level::note ? "note" : "warning") + " | " +
                            std::string(e.title) + " |";
    EXPECT_NE(readme.find(row), std::string::npos) << "README lacks the row " << row;
  }
}

}  // namespace
}  // namespace scenario::tool
