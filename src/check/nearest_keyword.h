#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "parse/keywords.h"

namespace scenario::check {

// The number of single-byte insertions, deletions and substitutions that turn `a` into `b`,
// letters A to Z compared without regard to case. Stops counting past `limit` and returns
// limit + 1 then, so that comparing long fields stays cheap.
std::size_t edit_distance(std::string_view a, std::string_view b, std::size_t limit);

// The canonical keyword nearest to `field` (its blanks at either end ignored) among `rules`, when
// it is one or two edits away; curves are offered as "curvas1" to "curvad6". Of keywords as
// near as each other, the first offered wins. Nothing when no keyword is that close.
std::optional<std::string> nearest_keyword(std::string_view field,
                                           std::span<const KeywordRule> rules);

// The first rule whose words `field` holds, letter case ignored whatever the rule says.
const KeywordRule* rule_matching_any_case(std::string_view field,
                                          std::span<const KeywordRule> rules);

// `field` without the blanks at either end.
std::string_view trimmed(std::string_view field);

}  // namespace scenario::check
