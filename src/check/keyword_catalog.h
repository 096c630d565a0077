#pragma once

#include <span>

#include "parse/keywords.h"
#include "parse/record_id.h"

namespace scenario::check {

// The route's general keywords, its feature keywords and the train's keywords, in the order the
// compile tests them.
std::span<const KeywordRule> route_general_keywords();
std::span<const KeywordRule> route_feature_keywords();
std::span<const KeywordRule> train_keywords();

// The keyword rule that starts the record `id`; every record the reader tells of has one.
const KeywordRule& rule_of(const RecordId& id);

}  // namespace scenario::check
