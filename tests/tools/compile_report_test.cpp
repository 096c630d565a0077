#include "compile_report.h"

#include <gtest/gtest.h>

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
    std::optional<std::string> left;
    std::string expected;
  } cases[] = {
      {"a train file that cannot be opened",
       TextFile::train,
       0,
       {"cannot open", true, ""},
       {},
       "/authors/my train.txt: error 25: " + meaning + ": cannot open /authors/my train.txt\n"},
      {"a route file that cannot be deleted",
       TextFile::route,
       0,
       {"cannot delete", true, "Permission denied"},
       {},
       "/authors/my route.txt: error 25: " + meaning +
           ": cannot delete /authors/my route.txt: Permission denied\n"},
      {"a field names no file",
       TextFile::route,
       3,
       {"\"12x\" is not a number", false, ""},
       {},
       "/authors/my route.txt:3: error 25: " + meaning + ": \"12x\" is not a number\n"},
      {"a copy left behind is said after the failure",
       TextFile::route,
       2,
       {"\"x\" is not a number", false, ""},
       "/work/L_linea.txt: Permission denied",
       "/authors/my route.txt:2: error 25: " + meaning +
           ": \"x\" is not a number\nscenario: cannot delete /work/L_linea.txt: "
           "Permission denied\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    CompileResult result;
    result.status = kToolRecordedFailure;
    result.failure = {FailureCode::read_fault, 0, c.source, c.line, c.detail};
    result.text_file_left = c.left;
    EXPECT_EQ(diagnostics(request, result), c.expected);
  }
}

}  // namespace
}  // namespace scenario::tool
