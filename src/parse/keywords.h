#pragma once

#include <cstdint>
#include <string_view>

#include "parse/record_id.h"

namespace scenario {

// Keywords are found as substrings of a field, never as whole words.
inline bool contains(std::string_view field, std::string_view word) {
  return field.find(word) != std::string_view::npos;
}

// As contains(), folding the letters A to Z only; `word` is given in lower case.
bool contains_ignoring_case(std::string_view field, std::string_view word);

// A section head: a field holding "[" and "]" that, its leading blanks removed, does not begin
// with "-" (so a comment line with brackets in it is no head).
bool is_section_head(std::string_view field);

// Whether letter case counts when a keyword's words are searched.
enum class LetterCase : std::uint8_t { ignored, significant };

// One keyword of a text file: the words searched in a keyword field (all must be present; the
// second is empty for a keyword of one word), whether letter case counts, the record it starts
// and the number of fields that record reads after its keyword field.
struct KeywordRule {
  RecordId record;
  std::string_view first;
  std::string_view second;
  LetterCase letter_case = LetterCase::ignored;
  std::int32_t fields = 0;
};

// True when `field` holds every word of `rule`, by the rule's letter case.
bool matches(const KeywordRule& rule, std::string_view field);

}  // namespace scenario
