#include "check/nearest_keyword.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "check/keyword_catalog.h"

namespace scenario::check {
namespace {

TEST(EditDistance, CountsEditsIgnoringCaseAndStopsPastTheLimit) {
  const struct {
    const char* a;
    const char* b;
    std::size_t distance;
  } cases[] = {
      {"segnale", "segnale", 0},
      {"SEGNALE", "segnale", 0},
      {"segnle", "segnale", 1},
      {"segnalle", "segnale", 1},
      {"sengale", "segnale", 2},
      {"sabbia", "segnale", 3},
      {"", "ab", 2},
      {"abc", "", 3},
      {"velocita", "velo", 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " / " + c.b);
    EXPECT_EQ(edit_distance(c.a, c.b, 2), c.distance);
    EXPECT_EQ(edit_distance(c.b, c.a, 2), c.distance);
  }
  EXPECT_EQ(edit_distance("sengale", "segnale", 5), 2u);
}

TEST(NearestKeyword, OffersTheKeywordOneOrTwoEditsAway) {
  const struct {
    const char* field;
    std::optional<std::string> train;
    std::optional<std::string> features;
  } cases[] = {
      {"segnle", "segnale", std::nullopt},
      {"  RALLENTAMENTOO ", "rallentamento", std::nullopt},
      {"numero vettture", "numero vetture", std::nullopt},
      {"stazoine", "stazione", std::nullopt},   // two letters swapped: two edits
      {"segnale", std::nullopt, std::nullopt},  // it matches: nothing to offer
      {"xyz", std::nullopt, std::nullopt},
      {"", std::nullopt, std::nullopt},
      {"pendnza", std::nullopt, "pendenza"},
      {"curvd4", std::nullopt, "curvad4"},
      {"curvaz5", std::nullopt, "curvas5"},  // as near to both sides: the first offered wins
      {"montagnia", std::nullopt, "montagna"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.field);
    EXPECT_EQ(nearest_keyword(c.field, train_keywords()), c.train);
    EXPECT_EQ(nearest_keyword(c.field, route_feature_keywords()), c.features);
  }
}

TEST(NearestKeyword, MatchesAnyCaseWhereTheCompileWouldNot) {
  // "sfondo" counts letter case in the compile; here it does not.
  const KeywordRule* rule = rule_matching_any_case("Sfondo Uno", route_general_keywords());
  ASSERT_NE(rule, nullptr);
  EXPECT_EQ(rule->record.name, "sfondo uno");
  EXPECT_FALSE(matches(*rule, "Sfondo Uno"));
  EXPECT_EQ(rule_matching_any_case("pendenza", route_general_keywords()), nullptr);
  EXPECT_EQ(rule_of(rule->record).fields, 1);
}

}  // namespace
}  // namespace scenario::check
