#include "signalling/code_changes.h"

namespace scenario {

std::int32_t minimo(std::int32_t a, std::int32_t b) { return a > b ? b : a; }

void place_code_changes(ScenarioState&) {}

}  // namespace scenario
