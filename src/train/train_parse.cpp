#include "train/train_parse.h"

namespace scenario {

void train_half(ScenarioState&, ParseContext&) {}

}  // namespace scenario
