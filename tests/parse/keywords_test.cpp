#include "parse/keywords.h"

#include <gtest/gtest.h>

namespace scenario {
namespace {

TEST(Keywords, AreFoundAsSubstrings) {
  EXPECT_TRUE(contains("progressiva chilometrica tre", "tre"));
  EXPECT_TRUE(contains("xsfondoy", "sfondo"));
  EXPECT_FALSE(contains("Sfondo uno", "sfondo"));  // letter case counts here
}

TEST(Keywords, CaseFoldingCoversAToZOnly) {
  EXPECT_TRUE(contains_ignoring_case("LUNGHEZZA Percorso", "lunghezza"));
  EXPECT_TRUE(contains_ignoring_case("[GENERALE]", "[generale]"));
  EXPECT_TRUE(contains_ignoring_case("CurvaS3", "curva"));
  EXPECT_FALSE(contains_ignoring_case("VELOCIT\xC0", "velocit\xE0"));  // no folding beyond ASCII
  EXPECT_FALSE(contains_ignoring_case("pendenz", "pendenza"));
}

TEST(Keywords, ARuleNeedsAllItsWordsByItsLetterCase) {
  constexpr KeywordRule kTwoWordsExact{{}, "sfondo", "uno", LetterCase::significant, 1};
  constexpr KeywordRule kTwoWordsFolded{{}, "cartello", "indicat", LetterCase::ignored, 2};
  constexpr KeywordRule kOneWord{{}, "velocit", {}, LetterCase::ignored, 2};
  const struct {
    const KeywordRule& rule;
    const char* field;
    bool matched;
  } cases[] = {
      {kTwoWordsExact, "sfondo uno", true},
      {kTwoWordsExact, "unosfondo", true},
      {kTwoWordsExact, "Sfondo uno", false},
      {kTwoWordsExact, "sfondo due", false},
      {kTwoWordsFolded, "CARTELLO_Indicatore", true},
      {kTwoWordsFolded, "cartello", false},
      {kTwoWordsFolded, "indicatori_vmax", false},
      {kOneWord, "VELOCITA", true},
      {kOneWord, "[vel_limite]", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.field);
    EXPECT_EQ(matches(c.rule, c.field), c.matched);
  }
}

TEST(Keywords, ASectionHeadHoldsBothBracketsAndBeginsWithNoDash) {
  const struct {
    const char* field;
    bool head;
  } cases[] = {{"[curve]", true}, {"  [fine]", true}, {"x ] y [", true}, {"- [commento]", false},
               {"  -[x]", false}, {"[fine", false},   {"fine]", false},  {"a-[b]", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.field);
    EXPECT_EQ(is_section_head(c.field), c.head);
  }
}

}  // namespace
}  // namespace scenario
