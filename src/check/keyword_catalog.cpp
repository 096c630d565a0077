#include "check/keyword_catalog.h"

#include <stdexcept>

#include "route/route_keywords.h"
#include "train/train_keywords.h"

namespace scenario::check {

std::span<const KeywordRule> route_general_keywords() { return route_keyword::kGeneral; }
std::span<const KeywordRule> route_feature_keywords() { return route_keyword::kFeatures; }
std::span<const KeywordRule> train_keywords() { return train_keyword::kAll; }

const KeywordRule& rule_of(const RecordId& id) {
  for (auto rules : {route_general_keywords(), route_feature_keywords(), train_keywords()}) {
    for (const KeywordRule& rule : rules) {
      if (rule.record == id) return rule;
    }
  }
  throw std::logic_error("a record of no keyword: " + std::string(id.name));
}

}  // namespace scenario::check
