#include "route/route_parse.h"

namespace scenario {

RouteOutcome route_half(ScenarioState&, ParseContext&) { return RouteOutcome::leave; }

}  // namespace scenario
