#include "route/keywords.h"

#include <algorithm>

namespace scenario {

namespace {
char fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

bool contains_ignoring_case(std::string_view field, std::string_view word) {
  const auto found = std::search(field.begin(), field.end(), word.begin(), word.end(),
                                 [](char a, char b) { return fold(a) == fold(b); });
  return found != field.end() || word.empty();
}

}  // namespace scenario
