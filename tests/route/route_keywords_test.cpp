#include "route/route_keywords.h"

#include <gtest/gtest.h>

#include <span>
#include <string_view>
#include <vector>

namespace scenario {
namespace {

TEST(RouteKeywords, EachCanonicalKeywordStartsItsOwnRecordOnly) {
  for (const auto& table : {std::span<const KeywordRule>(route_keyword::kGeneral),
                            std::span<const KeywordRule>(route_keyword::kFeatures)}) {
    for (const KeywordRule& rule : table) {
      SCOPED_TRACE(rule.record.name);
      EXPECT_EQ(rule.record.file, TextFile::route);
      for (const KeywordRule& other : table) {
        EXPECT_EQ(matches(other, rule.record.name), &other == &rule) << other.record.name;
      }
    }
  }
}

TEST(RouteKeywords, AreNumberedInTheOrderTheyAreTested) {
  std::vector<std::int32_t> orders;
  for (const KeywordRule& rule : route_keyword::kGeneral) orders.push_back(rule.record.order);
  for (const KeywordRule& rule : route_keyword::kFeatures) orders.push_back(rule.record.order);
  EXPECT_EQ(orders, (std::vector<std::int32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
}

TEST(RouteKeywords, NoSectionHeadHoldsAFeatureKeyword) {
  for (std::string_view head : {"[generale]", "[curve]", "[pendenze]", "[montagne]", "[cartelli]",
                                "[indicazioni]", "[fine]"}) {
    for (const KeywordRule& rule : route_keyword::kFeatures) {
      EXPECT_FALSE(matches(rule, head)) << head << " holds " << rule.record.name;
    }
  }
}

}  // namespace
}  // namespace scenario
