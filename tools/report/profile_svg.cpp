#include "profile_svg.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "markup.h"
#include "svg_parts.h"

namespace scenario::report {

namespace {

constexpr double kWidth = 1000;
constexpr double kLeft = 64;
constexpr double kRight = 20;
constexpr double kSpeedTop = 20;
constexpr double kSpeedHeight = 170;
constexpr double kGradientTop = 215;
constexpr double kGradientHeight = 90;
constexpr double kStationsTop = 318;  // two rows of names, then the ticks
constexpr double kStationsBottom = 372;
constexpr double kSignalsY = 388;
constexpr double kCodesY = 410;
constexpr double kCabTop = 426;
constexpr double kCabHeight = 10;
constexpr double kAxisY = 452;

constexpr std::string_view kProfileStyle =
    "svg.profile{background:#fff;font-family:sans-serif}"
    "svg.profile .ground{fill:#fff}"
    "svg.profile .panel{fill:#fafafa;stroke:#bbb;stroke-width:1}"
    "svg.profile .grid{stroke:#e4e4e4;stroke-width:1}"
    "svg.profile .axis-label,svg.profile .band-label{font-size:10px;fill:#444}"
    "svg.profile .mountain{fill:#8c564b;fill-opacity:0.18}"
    "svg.profile .speed-limit,svg.profile "
    ".speed-limit-steps{stroke:#1f77b4;stroke-width:2;fill:none}"
    "svg.profile .slowdown-speed{stroke:#d62728;stroke-width:3}"
    "svg.profile .gradient,svg.profile .gradient-steps{stroke:#2ca02c;stroke-width:2;fill:none}"
    "svg.profile .zero{stroke:#999;stroke-width:1;stroke-dasharray:3 3}"
    "svg.profile .station-tick line{stroke:#000;stroke-width:1.5}"
    "svg.profile .station-tick text{font-size:10px;fill:#000}"
    "svg.profile .signal-tick{fill:#2ca02c;stroke:#000;stroke-width:0.8}"
    "svg.profile .code-change{stroke:#000;stroke-width:0.8}"
    "svg.profile .placement-pass{fill:#9467bd}"
    "svg.profile .train-file{fill:#fff}"
    "svg.profile .unknown{fill:#bbb}"
    "svg.profile .cab-signalling{fill:#17becf}"
    "svg.profile .line-end{stroke:#000;stroke-width:1;stroke-dasharray:5 3}"
    "svg.profile .axis{stroke:#000;stroke-width:1}";

// A step of 1, 2 or 5 times a power of ten that cuts `range` into at most `most` parts.
double nice_step(double range, int most) {
  if (!(range > 0)) return 1;
  const double rough = range / most;
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  for (const double step : {1.0, 2.0, 5.0, 10.0}) {
    if (step * power >= rough) return step * power;
  }
  return 10 * power;
}

class ProfilePainter {
 public:
  explicit ProfilePainter(const LineSurvey& survey) : end_m_(std::max(survey.drawn_end_m, 1)) {}

  double x(double metres) const { return kLeft + metres * (kWidth - kLeft - kRight) / end_m_; }
  double end_m() const { return end_m_; }

 private:
  double end_m_;
};

// A vertical scale: value `low` at the bottom of a panel, `high` at its top.
struct ValueScale {
  double low = 0;
  double high = 1;
  double top = 0;
  double height = 1;
  double y(double v) const { return top + height - (v - low) / (high - low) * height; }
};

void line(std::string& out, std::string_view cls, double x1, double y1, double x2, double y2) {
  out += "<line";
  append_text_attribute(out, "class", cls);
  append_number_attribute(out, "x1", x1);
  append_number_attribute(out, "y1", y1);
  append_number_attribute(out, "x2", x2);
  append_number_attribute(out, "y2", y2);
}

void text(std::string& out, std::string_view cls, double x, double y, std::string_view anchor,
          std::string_view content) {
  out += "<text";
  append_text_attribute(out, "class", cls);
  append_number_attribute(out, "x", x);
  append_number_attribute(out, "y", y);
  if (!anchor.empty()) append_text_attribute(out, "text-anchor", anchor);
  out += '>';
  append_escaped(out, content);
  out += "</text>";
}

void value_axis(std::string& out, const ValueScale& scale, std::string_view unit) {
  const double step = nice_step(scale.high - scale.low, 5);
  for (double v = std::ceil(scale.low / step) * step; v <= scale.high + step / 1000; v += step) {
    const double y = scale.y(v);
    line(out, "grid", kLeft, y, kWidth - kRight, y);
    out += "/>";
    text(out, "axis-label", kLeft - 6, y + 3, "end", fixed(v, step < 1 ? 1 : 0));
  }
  text(out, "axis-label", 4, scale.top - 5, "", unit);
}

// Value stretches as level lines with their data, joined by one path of the steps between them.
void steps(std::string& out, const ProfilePainter& p, const ValueScale& scale,
           const std::vector<Stretch>& stretches, std::string_view cls, std::string_view value_name,
           std::string_view unit) {
  std::string joins = "<path class=\"";
  joins += cls;
  joins += "-steps\" d=\"";
  bool any_join = false;
  for (std::size_t k = 0; k < stretches.size(); ++k) {
    const Stretch& s = stretches[k];
    const double y = scale.y(s.value);
    line(out, cls, p.x(s.from_m), y, p.x(s.to_m), y);
    append_integer_attribute(out, "data-from-m", s.from_m);
    append_integer_attribute(out, "data-to-m", s.to_m);
    append_integer_attribute(out, value_name, s.value);
    out += '>';
    append_title(out, std::to_string(s.value) + std::string(unit) + " from " +
                          std::to_string(s.from_m) + " to " + std::to_string(s.to_m) + " m");
    out += "</line>";
    if (k == 0) continue;
    joins += 'M';
    append_fixed(joins, p.x(s.from_m), 1);
    joins += ' ';
    append_fixed(joins, scale.y(stretches[k - 1].value), 1);
    joins += 'V';
    append_fixed(joins, y, 1);
    any_join = true;
  }
  joins += "\"/>";
  if (any_join) out += joins;
}

ValueScale speed_scale(const LineSurvey& survey) {
  double top = 10;
  for (const Stretch& s : survey.speed_limit) top = std::max<double>(top, s.value);
  for (const SlowdownMark& s : survey.slowdowns) top = std::max<double>(top, s.speed);
  const double step = nice_step(top, 5);
  return {0, std::ceil(top / step) * step + (std::fmod(top, step) == 0 ? step : 0), kSpeedTop,
          kSpeedHeight};
}

ValueScale gradient_scale(const LineSurvey& survey) {
  double low = 0;
  double high = 0;
  for (const Stretch& s : survey.gradient) {
    low = std::min<double>(low, s.value);
    high = std::max<double>(high, s.value);
  }
  if (low == high) {
    low -= 5;
    high += 5;
  }
  const double step = nice_step(high - low, 4);
  return {std::floor(low / step) * step - (std::fmod(low, step) == 0 && low < 0 ? step : 0),
          std::ceil(high / step) * step + (std::fmod(high, step) == 0 && high > 0 ? step : 0),
          kGradientTop, kGradientHeight};
}

void mountains(std::string& out, const ProfilePainter& p, const LineSurvey& survey) {
  for (const Stretch& m : survey.mountains) {
    out += "<rect class=\"mountain\"";
    append_integer_attribute(out, "data-from-m", m.from_m);
    append_integer_attribute(out, "data-to-m", m.to_m);
    append_integer_attribute(out, "data-type", m.value);
    append_number_attribute(out, "x", p.x(m.from_m));
    append_number_attribute(out, "y", kSpeedTop);
    append_number_attribute(out, "width", std::max(1.0, p.x(m.to_m) - p.x(m.from_m)));
    append_number_attribute(out, "height", kGradientTop + kGradientHeight - kSpeedTop);
    out += '>';
    append_title(out, mountain_title(survey, m));
    out += "</rect>";
  }
}

void slowdown_speeds(std::string& out, const ProfilePainter& p, const ValueScale& scale,
                     const LineSurvey& survey) {
  for (const SlowdownMark& s : survey.slowdowns) {
    const std::int32_t from = (s.start_cell ? *s.start_cell : *s.end_cell) * kCellMetres;
    const std::int32_t to = (s.end_cell ? *s.end_cell : *s.start_cell) * kCellMetres + kCellMetres;
    const double y = scale.y(s.speed);
    line(out, "slowdown-speed", p.x(from), y, p.x(to), y);
    append_integer_attribute(out, "data-from-m", from);
    append_integer_attribute(out, "data-to-m", to);
    append_integer_attribute(out, "data-kmh", s.speed);
    out += '>';
    const SlowdownPlaces places = slowdown_places(s);
    append_title(out, "slowdown to " + std::to_string(s.speed) + " km/h, " + places.start + " to " +
                          places.end);
    out += "</line>";
  }
}

void station_ticks(std::string& out, const ProfilePainter& p, const LineSurvey& survey) {
  constexpr double kLetterWidth = 6;  // a generous width of one letter at 10 px
  // Where the last name drawn in each of the two rows ends.
  double row_end[2] = {-1e9, -1e9};
  for (std::size_t k = 0; k < survey.stations.size(); ++k) {
    const StationMark& s = survey.stations[k];
    const double x = p.x(s.position);
    const std::size_t row = k % 2;
    const double half = kLetterWidth * static_cast<double>(s.name.size()) / 2;
    out += "<g class=\"station-tick\"";
    append_integer_attribute(out, "data-slot", s.slot);
    append_integer_attribute(out, "data-position", s.position);
    out += '>';
    line(out, "", x, kStationsBottom - 14, x, kStationsBottom);
    out += "/>";
    // Two rows of names, so that neighbours do not run into each other; a name that would
    // still run into the one before it keeps only its title.
    if (x - half > row_end[row] + 4) {
      text(out, "", x, kStationsTop + (row == 0 ? 10 : 26), "middle", s.name);
      row_end[row] = x + half;
    }
    append_title(out, s.name + " at " + std::to_string(s.position) + " m");
    out += "</g>";
  }
}

void point_marks(std::string& out, const ProfilePainter& p, const LineSurvey& survey) {
  for (const SignalMark& s : survey.signals) {
    const double x = p.x(s.cell * kCellMetres);
    out += "<path class=\"signal-tick\"";
    append_integer_attribute(out, "data-cell", s.cell);
    out += " d=\"M";
    append_fixed(out, x, 1);
    out += ' ';
    append_fixed(out, kSignalsY - 6, 1);
    out += "l5 6l-5 6l-5 -6z\">";
    append_title(out, "signal at " + place_text(s.cell, s.author));
    out += "</path>";
  }
  for (const CodeChangeMark& c : survey.code_changes) {
    const double x = p.x(c.cell * kCellMetres);
    std::string_view origin = "unknown";
    std::string_view shape = "l5 10h-10z";  // placed by the pass: a triangle
    if (c.origin == CodeOrigin::train_file) {
      origin = "train-file";
      shape = "m-5 0h10v10h-10z";  // from the train file: a square
    } else if (c.origin == CodeOrigin::placement_pass) {
      origin = "placement-pass";
    }
    out += "<path";
    append_text_attribute(out, "class", std::string("code-change ") + std::string(origin));
    append_integer_attribute(out, "data-cell", c.cell);
    append_text_attribute(out, "data-origin", origin);
    append_integer_attribute(out, "data-value", c.value);
    if (c.cut) out += " data-cut=\"1\"";
    out += " d=\"M";
    append_fixed(out, x, 1);
    out += ' ';
    append_fixed(out, kCodesY - 5, 1);
    out += shape;
    out += "\">";
    append_title(out,
                 (c.cut ? std::string("code cut") : "code " + std::to_string(c.value)) + " at " +
                     place_text(c.cell, c.author) +
                     (c.origin == CodeOrigin::placement_pass ? ", placed by the compile" : ""));
    out += "</path>";
  }
}

void cab_signalling(std::string& out, const ProfilePainter& p, const LineSurvey& survey) {
  const CabSignalStretch& cab = survey.cab_signalling;
  if (cab.end <= cab.start) return;
  out += "<rect class=\"cab-signalling\"";
  append_integer_attribute(out, "data-from-m", cab.start);
  append_integer_attribute(out, "data-to-m", cab.end);
  append_integer_attribute(out, "data-codes", cab.system);
  const double from = p.x(std::clamp<double>(cab.start, 0, p.end_m()));
  const double to = p.x(std::clamp<double>(cab.end, 0, p.end_m()));
  append_number_attribute(out, "x", from);
  append_number_attribute(out, "y", kCabTop);
  append_number_attribute(out, "width", std::max(1.0, to - from));
  append_number_attribute(out, "height", kCabHeight);
  out += '>';
  append_title(out, "cab signalling, " + std::to_string(cab.system) + " codes, " +
                        std::to_string(cab.start) + " to " + std::to_string(cab.end) + " m");
  out += "</rect>";
}

void distance_axis(std::string& out, const ProfilePainter& p, const LineSurvey& survey) {
  line(out, "axis", kLeft, kAxisY, kWidth - kRight, kAxisY);
  out += "/>";
  const double step = nice_step(p.end_m(), 12);
  for (double m = 0; m <= p.end_m() + 0.5; m += step) {
    line(out, "axis", p.x(m), kAxisY, p.x(m), kAxisY + 5);
    out += "/>";
    text(out, "axis-label", p.x(m), kAxisY + 17, "middle", distance_text(m));
  }
  if (survey.route_length >= 0 && survey.route_length <= p.end_m()) {
    const double x = p.x(survey.route_length);
    line(out, "line-end", x, kSpeedTop, x, kAxisY);
    append_integer_attribute(out, "data-position", survey.route_length);
    out += "><title>end of the line</title></line>";
  }
  text(out, "band-label", 4, kStationsBottom - 4, "", "stations");
  text(out, "band-label", 4, kSignalsY + 3, "", "signals");
  text(out, "band-label", 4, kCodesY + 3, "", "codes");
  text(out, "band-label", 4, kCabTop + 9, "", "cab sig.");
}

}  // namespace

std::string profile_svg(const LineSurvey& survey) {
  const ProfilePainter p(survey);
  const ValueScale speed = speed_scale(survey);
  const ValueScale gradient = gradient_scale(survey);

  std::string out;
  out.reserve(64 * 1024);
  out += "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"profile\" role=\"img\"";
  out += " viewBox=\"0 0 1000 490\" width=\"1000\" height=\"490\"";
  append_integer_attribute(out, "data-end-m", survey.drawn_end_m);
  append_integer_attribute(out, "data-route-length", survey.route_length);
  out += '>';
  append_title(out, "Profile of " + survey.line_name);
  out += "<style>";
  out += kProfileStyle;
  out += "</style><rect class=\"ground\" x=\"0\" y=\"0\" width=\"100%\" height=\"100%\"/>";
  for (const ValueScale* panel : {&speed, &gradient}) {
    out += "<rect class=\"panel\"";
    append_number_attribute(out, "x", kLeft);
    append_number_attribute(out, "y", panel->top);
    append_number_attribute(out, "width", kWidth - kLeft - kRight);
    append_number_attribute(out, "height", panel->height);
    out += "/>";
  }
  value_axis(out, speed, "km/h");
  value_axis(out, gradient, "gradient");
  mountains(out, p, survey);
  line(out, "zero", kLeft, gradient.y(0), kWidth - kRight, gradient.y(0));
  out += "/>";
  steps(out, p, speed, survey.speed_limit, "speed-limit", "data-kmh", " km/h");
  slowdown_speeds(out, p, speed, survey);
  steps(out, p, gradient, survey.gradient, "gradient", "data-gradient", "");
  station_ticks(out, p, survey);
  point_marks(out, p, survey);
  cab_signalling(out, p, survey);
  distance_axis(out, p, survey);
  out += "</svg>";
  return out;
}

}  // namespace scenario::report
