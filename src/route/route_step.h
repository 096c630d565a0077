#pragma once

namespace scenario {

// How one step of the route parse ended: go on with the next step, or leave the whole parse
// with the failure it recorded (the route file is then closed and deleted by the caller).
enum class RouteStep { go_on, leave };

}  // namespace scenario
