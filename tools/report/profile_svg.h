#pragma once

#include <string>

#include "line_survey.h"

namespace scenario::report {

// The profile along the line as one SVG element, distance in km across: the speed limit of the
// cells (km/h) with the slowdowns' speeds over it, the gradient, the mountain spans shaded
// through both, then bands with the stations and signals as ticks, the code changes (those of
// the train file drawn apart from those the placement pass added) and the cab-signal stretch.
// It covers 0 to survey.drawn_end_m and marks the end of the line. Each drawn stretch carries
// its extent and value as data attributes (data-from-m, data-to-m, data-kmh or data-gradient),
// and each mark its cell or position, so that a reader can check the picture against the cells.
std::string profile_svg(const LineSurvey& survey);

}  // namespace scenario::report
