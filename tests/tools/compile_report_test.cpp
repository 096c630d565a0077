#include "compile_report.h"

#include "check_cli/compile_text.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace scenario::tool {
namespace {

TEST(CompileReport, NamesTheAuthorsFileInAFaultOfTheFile) {
  CompileRequest request;
  request.route = "/authors/my route.txt";
  request.train = "/authors/my train.txt";
  const std::string meaning =
      "the text file could not be read: missing, cut short, or a value out of range";
  const struct {
    const char* what;
    TextFile source;
    std::int32_t line;
    FailureDetail detail;
    std::string message;
  } cases[] = {
      {"a train file that cannot be opened",
       TextFile::train,
       0,
       {"cannot open", true, ""},
       meaning + ": cannot open /authors/my train.txt"},
      {"a route file that cannot be deleted",
       TextFile::route,
       0,
       {"cannot delete", true, "Permission denied"},
       meaning + ": cannot delete /authors/my route.txt: Permission denied"},
      {"a field names no file",
       TextFile::route,
       3,
       {"\"12x\" is not a number", false, ""},
       meaning + ": \"12x\" is not a number"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    CompileResult result;
    result.status = kToolRecordedFailure;
    result.failure = {FailureCode::read_fault, 0, c.source, c.line, c.detail};
    const auto report = nlohmann::json::parse(json_report(request, result));
    EXPECT_EQ(report["error_code"], 25);
    EXPECT_EQ(report["file"],
              c.source == TextFile::route ? "/authors/my route.txt" : "/authors/my train.txt");
    if (c.line > 0) {
      EXPECT_EQ(report["line"], c.line);
    } else {
      EXPECT_TRUE(report["line"].is_null());
    }
    EXPECT_EQ(report["message"], c.message);
  }
}

// What the compile could not finish is said after its outcome, whatever the outcome was.
TEST(CompileText, SaysWhatWasLeftUndone) {
  CompileRequest request;
  CompileResult result;
  result.nothing_compiled = true;
  result.text_file_left = "/work/L_linea.txt: Permission denied";
  EXPECT_EQ(compile_text(request, result, false),
            "scenario: nothing was compiled; no binary file was written\n"
            "scenario: cannot delete /work/L_linea.txt: Permission denied\n");
}

}  // namespace
}  // namespace scenario::tool
