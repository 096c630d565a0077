#include "check/nearest_keyword.h"

#include <algorithm>
#include <vector>

namespace scenario::check {

namespace {

char fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

constexpr std::size_t kCloseEnough = 2;

}  // namespace

std::string_view trimmed(std::string_view field) {
  const std::size_t first = field.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const std::size_t last = field.find_last_not_of(' ');
  return field.substr(first, last - first + 1);
}

std::size_t edit_distance(std::string_view a, std::string_view b, std::size_t limit) {
  const std::size_t longer = std::max(a.size(), b.size());
  const std::size_t shorter = std::min(a.size(), b.size());
  if (longer - shorter > limit) return limit + 1;
  // One row of the distance table at a time.
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    std::size_t row_best = row[0];
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      const std::size_t substitution = diagonal + (fold(a[i - 1]) == fold(b[j - 1]) ? 0 : 1);
      row[j] = std::min({above + 1, row[j - 1] + 1, substitution});
      diagonal = above;
      row_best = std::min(row_best, row[j]);
    }
    if (row_best > limit) return limit + 1;
  }
  return std::min(row[b.size()], limit + 1);
}

std::optional<std::string> nearest_keyword(std::string_view field,
                                           std::span<const KeywordRule> rules) {
  const std::string_view text = trimmed(field);
  if (text.empty()) return std::nullopt;
  std::optional<std::string> best;
  std::size_t best_distance = kCloseEnough + 1;
  const auto consider = [&](std::string_view candidate) {
    const std::size_t d = edit_distance(text, candidate, kCloseEnough);
    if (d >= 1 && d < best_distance) {
      best_distance = d;
      best = std::string(candidate);
    }
  };
  for (const KeywordRule& rule : rules) {
    if (rule.record.name == "curva") {
      // A curve's keyword carries its side and class: offer every spelling.
      for (const char side : {'s', 'd'}) {
        for (char digit = '1'; digit <= '6'; ++digit) {
          consider(std::string("curva") + side + digit);
        }
      }
    } else {
      consider(rule.record.name);
    }
  }
  return best;
}

const KeywordRule* rule_matching_any_case(std::string_view field,
                                          std::span<const KeywordRule> rules) {
  for (const KeywordRule& rule : rules) {
    KeywordRule any_case = rule;
    any_case.letter_case = LetterCase::ignored;
    if (matches(any_case, field)) return &rule;
  }
  return nullptr;
}

}  // namespace scenario::check
