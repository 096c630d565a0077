#pragma once

#include <span>
#include <string>
#include <string_view>

#include "line_survey.h"
#include "plan_curves.h"
#include "plan_frame.h"

namespace scenario::report {

// Largest drawing of the map, in pixels, and the margin round it.
inline constexpr double kMapWidth = 880;
inline constexpr double kMapHeight = 600;
inline constexpr double kMapMargin = 60;
// Deviation allowed when a polyline is simplified for drawing, in pixels of the map.
inline constexpr double kMapTolerance = 0.5;

// The map as one SVG element: the plan drawn to scale, north up, with a scale bar; the start
// and the end of the line marked and the run-out past the end dashed; curves, mountain spans and
// slowdowns drawn over the line where they lie; stations labelled with their names; signals,
// maximum-speed board pairs and direction boards marked, each with its values as a <title>.
// Every polyline is simplified to within kMapTolerance pixels. The root carries the plan's
// extent and the frame (data-min-x, data-max-x, data-min-y, data-max-y in metres, data-scale in
// pixels per metre, data-left and data-top in pixels) so that a reader can map pixels back to
// metres. `plan` must hold at least two points.
std::string map_svg(const LineSurvey& survey, std::span<const PlanPoint> plan,
                    std::span<const PlanCurve> curves);

}  // namespace scenario::report
