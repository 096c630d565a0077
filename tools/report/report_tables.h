#pragma once

#include <span>
#include <string>

#include "line_survey.h"
#include "plan_curves.h"

namespace scenario::report {

// The page's tables, each one HTML <section> with a heading and a <table> (or a line saying
// there is nothing of that kind): stations (slot, name, position, type, zone start and end, time
// as hh:mm:ss, stop cell), signals with their values unpacked, slowdowns, direction boards,
// maximum-speed boards, code changes with their origin, curves and mountains.
std::string survey_tables(const LineSurvey& survey, std::span<const PlanCurve> curves);

}  // namespace scenario::report
