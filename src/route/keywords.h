#pragma once

#include <string_view>

namespace scenario {

// Keywords are found as substrings of a field, never as whole words.
inline bool contains(std::string_view field, std::string_view word) {
  return field.find(word) != std::string_view::npos;
}

// As contains(), folding the letters A to Z only; `word` is given in lower case.
bool contains_ignoring_case(std::string_view field, std::string_view word);

}  // namespace scenario
