#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "model/line_profile.h"

namespace scenario::report {

// A point of the line's plan, in metres; +y is north.
struct PlanPoint {
  double x = 0;
  double y = 0;
};

// A point of a picture, in pixels; +y is down.
struct PixelPoint {
  double x = 0;
  double y = 0;
};

// The plan as far as the compile drew it: rows 0, 1, 2, ... of the profile up to the last row
// before the first one whose x or y is empty. Row m stands for metre m of the line. Reads the
// profile through its accessors only.
std::vector<PlanPoint> plan_points(const LineProfile& profile);

// The smallest box holding every point.
struct PlanExtent {
  double min_x = 0;
  double max_x = 0;
  double min_y = 0;
  double max_y = 0;
};
// The box of `points`; nothing for an empty list.
std::optional<PlanExtent> extent_of(std::span<const PlanPoint> points);

// How plan metres become pixels: one scale on both axes (the map is to scale), north up. The
// extent's north-west corner lands at (left, top); the picture is width by height pixels.
struct MapFrame {
  PlanExtent plan;
  double scale = 1;  // pixels per metre
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;

  PixelPoint to_pixels(PlanPoint p) const {
    return {left + (p.x - plan.min_x) * scale, top + (plan.max_y - p.y) * scale};
  }
};

// Fits `plan` into a drawing area of at most `max_width` by `max_height` pixels with `margin`
// pixels all round: the largest scale at which both sides fit, the drawing centred across the
// full width, the picture's height only as tall as the drawing needs. A side of no length (a
// straight line along an axis) leaves the other side to set the scale; a single point is drawn
// at one pixel per metre.
MapFrame fit_plan(const PlanExtent& plan, double max_width, double max_height, double margin);

// The length for a scale bar: the largest 1, 2 or 5 times a power of ten metres whose bar is at
// most `longest_pixels` long at `scale` pixels per metre (1 m when even that is longer).
double scale_bar_metres(double scale, double longest_pixels);

}  // namespace scenario::report
