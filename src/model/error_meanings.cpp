#include "model/error_meanings.h"

#include <algorithm>
#include <array>

namespace scenario {

namespace {

constexpr std::array<ErrorMeaning, 28> kMeanings{{
    {1, "route length negative or above 1000000 m", false},
    {2, "a kilometre progressive value is not a multiple of 50", false},
    {3, "cab-signal stretch start is not a multiple of 50", false},
    {4, "cab-signal stretch end is not a multiple of 50", false},
    {5, "\"ripetizione segnali\" names neither the 4-code nor the 9-code system", false},
    {6, "direction board on a cell already taken", true},
    {7, "\"abbattimento\" on a cell already taken", true},
    {8, "station position is not a multiple of 50", true},
    {9, "station length is not a multiple of 100", true},
    {10, "too many stations: stations and direction boards together exceed 78", false},
    {11, "no free cell for the code change before a signal ahead of a slowdown warning", true},
    {12, "no free cell in a code-change window on the approach to a slowdown start", true},
    {13, "no free cell for a code change through a slow slowdown or after its end", true},
    {15, "record position beyond the end of the line's cells", true},
    {16, "signal on a cell already taken", true},
    {17, "slowdown warning cell already taken", true},
    {18, "slowdown start cell already taken", true},
    {19, "slowdown end cell already taken", true},
    {20, "slowdown approach cells already taken", true},
    {21, "maximum-speed boards on a cell already taken", true},
    {22, "station zone starts less than 350 m after the previous station's zone end", true},
    {24, "station stop cell would be cell 1 or before", false},
    {25, "the text file could not be read: missing, cut short, or a value out of range", false},
    {101, "the route file does not exist", false},
    {102, "the route file has no \"[generale]\" section", false},
    {103, "curve without a class digit 1 to 6, or the line's plan beyond 1000000 m", false},
    {1250, "a reserved marker field was already in use (error box)", false},
    {1251, "a reserved integrity-code field was already in use (error box)", false},
}};

const ErrorMeaning* find_meaning(std::int32_t code) {
  const auto* found = std::find_if(kMeanings.begin(), kMeanings.end(),
                                   [code](const ErrorMeaning& m) { return m.code == code; });
  return found == kMeanings.end() ? nullptr : found;
}

}  // namespace

std::span<const ErrorMeaning> error_meanings() { return kMeanings; }

std::string_view error_meaning(std::int32_t code) {
  const ErrorMeaning* found = find_meaning(code);
  return found ? found->meaning : "unknown error";
}

bool error_has_position(std::int32_t code) {
  const ErrorMeaning* found = find_meaning(code);
  return found && found->has_position;
}

}  // namespace scenario
