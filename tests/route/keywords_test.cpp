#include "route/keywords.h"

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

}  // namespace
}  // namespace scenario
