#include "map_svg.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "markup.h"
#include "polyline_simplify.h"
#include "svg_parts.h"

namespace scenario::report {

namespace {

// Rules scoped to the map, so that the page's own styles and the profile's never meet them.
constexpr std::string_view kMapStyle =
    "svg.map{background:#f7f5ef;font-family:sans-serif}"
    "svg.map .ground{fill:#f7f5ef}"
    "svg.map .line{fill:none;stroke:#333;stroke-width:2;stroke-linejoin:round;"
    "stroke-linecap:round}"
    "svg.map .runout{fill:none;stroke:#888;stroke-width:1.5;stroke-dasharray:6 4}"
    "svg.map .curve{fill:none;stroke:#1f77b4;stroke-width:7;stroke-opacity:0.75;"
    "stroke-linecap:round}"
    "svg.map .mountain{fill:none;stroke:#8c564b;stroke-width:14;stroke-opacity:0.3}"
    "svg.map .slowdown{fill:none;stroke:#d62728;stroke-width:4;stroke-linecap:round}"
    "svg.map .station circle{fill:#fff;stroke:#000;stroke-width:2}"
    "svg.map .station text{font-size:12px;font-weight:bold;fill:#000}"
    "svg.map .signal{fill:#2ca02c;stroke:#000;stroke-width:0.8}"
    "svg.map .direction-board{fill:#ffbf00;stroke:#000;stroke-width:0.8}"
    "svg.map .speed-board circle{fill:#fff;stroke:#d62728;stroke-width:1.5}"
    "svg.map .endpoint{fill:#000}"
    "svg.map .endpoint-label{font-size:11px;fill:#000}"
    "svg.map .scale-bar{fill:none;stroke:#000;stroke-width:2}"
    "svg.map .scale-label,svg.map .north{font-size:11px;fill:#000}";

class MapPainter {
 public:
  MapPainter(const MapFrame& frame, std::span<const PlanPoint> plan) {
    pixels_.reserve(plan.size());
    for (const PlanPoint& p : plan) pixels_.push_back(frame.to_pixels(p));
  }

  // The point at metre `m`, held to the rows the plan has.
  PixelPoint at(std::int64_t m) const {
    const std::int64_t last = static_cast<std::int64_t>(pixels_.size()) - 1;
    return pixels_[static_cast<std::size_t>(std::clamp<std::int64_t>(m, 0, last))];
  }

  bool reaches(std::int64_t m) const {
    return m >= 0 && m < static_cast<std::int64_t>(pixels_.size());
  }

  // ` points="..."` of metres `from` to `to` (held to the plan), simplified for drawing.
  void append_points(std::string& out, std::int64_t from, std::int64_t to) const {
    const std::int64_t last = static_cast<std::int64_t>(pixels_.size()) - 1;
    from = std::clamp<std::int64_t>(from, 0, last);
    to = std::clamp<std::int64_t>(to, from, last);
    const std::span<const PixelPoint> part(pixels_.data() + from,
                                           static_cast<std::size_t>(to - from + 1));
    out += " points=\"";
    const std::vector<std::size_t> kept = simplify_polyline(part, kMapTolerance);
    for (std::size_t k = 0; k < kept.size(); ++k) {
      if (k != 0) out += ' ';
      append_fixed(out, part[kept[k]].x, 1);
      out += ',';
      append_fixed(out, part[kept[k]].y, 1);
    }
    // A single point still draws as a dot with round caps.
    if (kept.size() == 1) {
      out += ' ';
      append_fixed(out, part[0].x, 1);
      out += ',';
      append_fixed(out, part[0].y, 1);
    }
    out += '"';
  }

  void span(std::string& out, std::string_view cls, std::int64_t from, std::int64_t to,
            std::string_view title) const {
    out += "<polyline";
    append_text_attribute(out, "class", cls);
    append_integer_attribute(out, "data-from-m", from);
    append_integer_attribute(out, "data-to-m", to);
    append_points(out, from, to);
    out += '>';
    append_title(out, title);
    out += "</polyline>";
  }

 private:
  std::vector<PixelPoint> pixels_;
};

void place(std::string& out, PixelPoint p) {
  out += " transform=\"translate(";
  append_fixed(out, p.x, 1);
  out += ' ';
  append_fixed(out, p.y, 1);
  out += ")\"";
}

std::string curve_title(const PlanCurve& curve) {
  const double radius = 1 / std::fabs(curve.turn);
  return std::string(curve.turn < 0 ? "left" : "right") + " curve, " +
         std::to_string(curve.from_m) + " to " + std::to_string(curve.to_m) + " m, radius " +
         fixed(radius, 0) + " m";
}

void draw_line(std::string& out, const MapPainter& painter, const LineSurvey& survey,
               std::size_t rows) {
  const std::int64_t last = static_cast<std::int64_t>(rows) - 1;
  const std::int64_t end = std::clamp<std::int64_t>(survey.route_length, 0, last);
  out += "<polyline class=\"line\"";
  painter.append_points(out, 0, end);
  out += "/>";
  if (end < last) {
    out += "<polyline class=\"runout\"";
    painter.append_points(out, end, last);
    out += "><title>run-out past the end of the line</title></polyline>";
  }
}

void draw_mountains(std::string& out, const MapPainter& painter, const LineSurvey& survey) {
  out += "<g class=\"mountains\">";
  for (const Stretch& m : survey.mountains) {
    out += "<polyline class=\"mountain\"";
    append_integer_attribute(out, "data-from-m", m.from_m);
    append_integer_attribute(out, "data-to-m", m.to_m);
    append_integer_attribute(out, "data-type", m.value);
    painter.append_points(out, m.from_m, m.to_m);
    out += '>';
    append_title(out, mountain_title(survey, m));
    out += "</polyline>";
  }
  out += "</g>";
}

void draw_curves(std::string& out, const MapPainter& painter, std::span<const PlanCurve> curves) {
  out += "<g class=\"curves\">";
  for (const PlanCurve& c : curves) {
    out += "<polyline class=\"curve\"";
    append_integer_attribute(out, "data-from-m", c.from_m);
    append_integer_attribute(out, "data-to-m", c.to_m);
    append_text_attribute(out, "data-side", c.turn < 0 ? "left" : "right");
    painter.append_points(out, c.from_m, c.to_m);
    out += '>';
    append_title(out, curve_title(c));
    out += "</polyline>";
  }
  out += "</g>";
}

void draw_slowdowns(std::string& out, const MapPainter& painter, const LineSurvey& survey) {
  out += "<g class=\"slowdowns\">";
  for (const SlowdownMark& s : survey.slowdowns) {
    const std::int32_t from = (s.start_cell ? *s.start_cell : *s.end_cell) * kCellMetres;
    const std::int32_t to = (s.end_cell ? *s.end_cell : *s.start_cell) * kCellMetres;
    const SlowdownPlaces places = slowdown_places(s);
    painter.span(
        out, "slowdown", from, to,
        "slowdown to " + std::to_string(s.speed) + " km/h, " + places.start + " to " + places.end);
  }
  out += "</g>";
}

void draw_boards(std::string& out, const MapPainter& painter, const LineSurvey& survey) {
  out += "<g class=\"speed-boards\">";
  for (const SpeedBoardMark& b : survey.speed_boards) {
    const std::int32_t m = b.cell * kCellMetres;
    out += "<g class=\"speed-board\"";
    append_integer_attribute(out, "data-cell", b.cell);
    place(out, painter.at(m));
    out += "><circle cx=\"-3\" cy=\"0\" r=\"3\"/><circle cx=\"3\" cy=\"0\" r=\"3\"/>";
    std::string title = "maximum-speed boards at " + place_text(b.cell, b.author) + ":";
    for (int k = 0; k < 3; ++k) {
      const auto speeds = unpack_board_speeds(b.packed[k]);
      title += ' ';
      title +=
          speeds ? std::to_string(speeds->first).append("/").append(std::to_string(speeds->second))
                 : "?";
    }
    append_title(out, title);
    out += "</g>";
  }
  out += "</g><g class=\"direction-boards\">";
  for (const DirectionBoardMark& b : survey.direction_boards) {
    out += "<rect class=\"direction-board\" x=\"-4\" y=\"-4\" width=\"8\" height=\"8\"";
    append_integer_attribute(out, "data-cell", b.cell);
    place(out, painter.at(static_cast<std::int64_t>(b.cell) * kCellMetres));
    out += '>';
    append_title(out, b.text);
    out += "</rect>";
  }
  out += "</g>";
}

void draw_points(std::string& out, const MapPainter& painter, const LineSurvey& survey) {
  out += "<g class=\"signals\">";
  for (const SignalMark& s : survey.signals) {
    const std::int32_t m = s.cell * kCellMetres;
    out += "<path class=\"signal\" d=\"M0 -5L5 0L0 5L-5 0Z\"";
    append_integer_attribute(out, "data-cell", s.cell);
    place(out, painter.at(m));
    out += '>';
    append_title(out, "signal at " + place_text(s.cell, s.author));
    out += "</path>";
  }
  out += "</g><g class=\"stations\">";
  for (std::size_t k = 0; k < survey.stations.size(); ++k) {
    const StationMark& s = survey.stations[k];
    out += "<g class=\"station\"";
    append_integer_attribute(out, "data-slot", s.slot);
    append_integer_attribute(out, "data-position", s.position);
    place(out, painter.at(s.position));
    // Neighbouring names go to opposite sides so that close stations stay readable.
    out += k % 2 == 0 ? "><circle r=\"5\"/><text x=\"9\" y=\"-7\">"
                      : "><circle r=\"5\"/><text x=\"-9\" y=\"17\" text-anchor=\"end\">";
    append_escaped(out, s.name);
    out += "</text></g>";
  }
  out += "</g>";
}

void draw_endpoints(std::string& out, const MapPainter& painter, const LineSurvey& survey) {
  out += "<g class=\"endpoints\"><g";
  place(out, painter.at(0));
  out +=
      "><circle class=\"endpoint\" r=\"4\"/>"
      "<text class=\"endpoint-label\" x=\"-8\" y=\"4\" text-anchor=\"end\">start</text></g>";
  if (painter.reaches(survey.route_length)) {
    out += "<g";
    place(out, painter.at(survey.route_length));
    out +=
        "><rect class=\"endpoint\" x=\"-4\" y=\"-4\" width=\"8\" height=\"8\"/>"
        "<text class=\"endpoint-label\" x=\"-8\" y=\"4\" text-anchor=\"end\">end</text></g>";
  }
  out += "</g>";
}

void draw_scale(std::string& out, const MapFrame& frame) {
  const double metres = scale_bar_metres(frame.scale, 160);
  const double length = metres * frame.scale;
  const double y = frame.height - 18;
  out += "<g class=\"scale\"";
  append_number_attribute(out, "data-metres", metres, 0);
  out += "><path class=\"scale-bar\" d=\"M";
  append_fixed(out, kMapMargin, 1);
  out += ' ';
  append_fixed(out, y - 5, 1);
  out += "v5h";
  append_fixed(out, length, 1);
  out += "v-5\"/><text class=\"scale-label\"";
  append_number_attribute(out, "x", kMapMargin + length + 6);
  append_number_attribute(out, "y", y);
  out += '>';
  out += distance_text(metres);
  out += "</text></g>";
  const double north_x = frame.width - 24;
  out += "<g class=\"north-arrow\"";
  place(out, {north_x, 20});
  out +=
      "><path class=\"endpoint\" d=\"M0 0L6 18L0 14L-6 18Z\"/>"
      "<text class=\"north\" x=\"0\" y=\"30\" text-anchor=\"middle\">N</text></g>";
}

}  // namespace

std::string map_svg(const LineSurvey& survey, std::span<const PlanPoint> plan,
                    std::span<const PlanCurve> curves) {
  const PlanExtent extent = *extent_of(plan);
  const MapFrame frame = fit_plan(extent, kMapWidth, kMapHeight, kMapMargin);
  const MapPainter painter(frame, plan);

  std::string out;
  out.reserve(64 * 1024);
  out += "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"map\" role=\"img\"";
  out += " viewBox=\"0 0 ";
  append_fixed(out, frame.width, 1);
  out += ' ';
  append_fixed(out, frame.height, 1);
  out += '"';
  append_number_attribute(out, "width", frame.width);
  append_number_attribute(out, "height", frame.height);
  append_number_attribute(out, "data-min-x", extent.min_x, 3);
  append_number_attribute(out, "data-max-x", extent.max_x, 3);
  append_number_attribute(out, "data-min-y", extent.min_y, 3);
  append_number_attribute(out, "data-max-y", extent.max_y, 3);
  append_number_attribute(out, "data-scale", frame.scale, 6);
  append_number_attribute(out, "data-left", frame.left, 3);
  append_number_attribute(out, "data-top", frame.top, 3);
  out += '>';
  append_title(out, "Map of " + survey.line_name);
  out += "<style>";
  out += kMapStyle;
  out += "</style>";
  out += "<rect class=\"ground\" x=\"0\" y=\"0\" width=\"100%\" height=\"100%\"/>";
  // Mountains lie under the line as a broad band; curves and slowdowns over it, under the
  // line's objects.
  draw_mountains(out, painter, survey);
  draw_line(out, painter, survey, plan.size());
  draw_curves(out, painter, curves);
  draw_slowdowns(out, painter, survey);
  draw_boards(out, painter, survey);
  draw_points(out, painter, survey);
  draw_endpoints(out, painter, survey);
  draw_scale(out, frame);
  out += "</svg>";
  return out;
}

}  // namespace scenario::report
