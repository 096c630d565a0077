#include "parse/keywords.h"

#include <algorithm>

namespace scenario {

namespace {
char fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool holds(std::string_view field, std::string_view word, LetterCase letter_case) {
  return letter_case == LetterCase::ignored ? contains_ignoring_case(field, word)
                                            : contains(field, word);
}
}  // namespace

bool contains_ignoring_case(std::string_view field, std::string_view word) {
  const auto found = std::search(field.begin(), field.end(), word.begin(), word.end(),
                                 [](char a, char b) { return fold(a) == fold(b); });
  return found != field.end() || word.empty();
}

bool is_section_head(std::string_view field) {
  if (!contains(field, "[") || !contains(field, "]")) return false;
  const std::size_t first = field.find_first_not_of(' ');
  return field[first] != '-';
}

bool matches(const KeywordRule& rule, std::string_view field) {
  return holds(field, rule.first, rule.letter_case) &&
         (rule.second.empty() || holds(field, rule.second, rule.letter_case));
}

}  // namespace scenario
