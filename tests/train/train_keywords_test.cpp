#include "train/train_keywords.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace scenario {
namespace {

TEST(TrainKeywords, EachCanonicalKeywordStartsItsOwnRecordOnly) {
  std::vector<std::int32_t> orders;
  for (const KeywordRule& rule : train_keyword::kAll) {
    SCOPED_TRACE(rule.record.name);
    EXPECT_EQ(rule.record.file, TextFile::train);
    EXPECT_EQ(rule.letter_case, LetterCase::ignored);
    orders.push_back(rule.record.order);
    for (const KeywordRule& other : train_keyword::kAll) {
      EXPECT_EQ(matches(other, rule.record.name), &other == &rule) << other.record.name;
    }
  }
  EXPECT_EQ(orders, (std::vector<std::int32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

TEST(TrainKeywords, NoSectionHeadHoldsAKeyword) {
  for (std::string_view head : {"[generale]", "[aderenze]", "[vel_limite]", "[stazioni]",
                                "[rallentamenti]", "[segnali]", "[codici]", "[fine]"}) {
    for (const KeywordRule& rule : train_keyword::kAll) {
      EXPECT_FALSE(matches(rule, head)) << head << " holds " << rule.record.name;
    }
  }
}

}  // namespace
}  // namespace scenario
