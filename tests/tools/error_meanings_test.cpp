#include "model/error_meanings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_support.h"

namespace scenario {
namespace {

TEST(ErrorMeanings, EveryCodeOfTheSystemHasOneLine) {
  const std::vector<std::int32_t> system_codes = {1,  2,  3,  4,   5,   6,   7,    8,   9,  10,
                                                  11, 12, 13, 15,  16,  17,  18,   19,  20, 21,
                                                  22, 24, 25, 101, 102, 103, 1250, 1251};
  std::vector<std::int32_t> listed;
  for (const ErrorMeaning& m : error_meanings()) {
    listed.push_back(code_number(m.code));
    EXPECT_FALSE(m.meaning.empty()) << code_number(m.code);
    EXPECT_EQ(m.meaning.find('\n'), std::string_view::npos) << code_number(m.code);
  }
  EXPECT_EQ(listed, system_codes);
  EXPECT_EQ(error_meaning(FailureCode{14}), "unknown error");
  EXPECT_FALSE(error_has_position(FailureCode{14}));
}

TEST(ErrorMeanings, TheReadmeTableMatches) {
  const std::string readme = testing::read_file(SCENARIO_README);
  for (const ErrorMeaning& m : error_meanings()) {
    const std::string row =
        "| " + std::to_string(code_number(m.code)) + " | " + std::string(m.meaning) + " |";
    EXPECT_NE(readme.find(row), std::string::npos) << "README lacks the row " << row;
  }
}

}  // namespace
}  // namespace scenario
