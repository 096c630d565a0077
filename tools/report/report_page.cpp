#include "report_page.h"

#include <string_view>

#include "line_survey.h"
#include "map_svg.h"
#include "markup.h"
#include "model/error_meanings.h"
#include "plan_curves.h"
#include "plan_frame.h"
#include "profile_svg.h"
#include "report_tables.h"
#include "svg_parts.h"

namespace scenario::report {

namespace {

// The page may load nothing from anywhere: no script, no font, no image, only its own styles.
constexpr std::string_view kPolicy = "default-src 'none'; style-src 'unsafe-inline'";

constexpr std::string_view kPageStyle =
    "body{font-family:sans-serif;color:#222;margin:24px auto;max-width:1040px;padding:0 12px}"
    "h1{font-size:24px;margin:0 0 6px}"
    "h2{font-size:18px;margin:28px 0 8px;border-bottom:1px solid #ddd}"
    "h3{font-size:15px;margin:18px 0 6px}"
    ".facts{margin:0;display:flex;flex-wrap:wrap;gap:4px 24px}"
    ".facts div{display:flex;gap:6px}.facts dt{color:#666}.facts dd{margin:0;font-weight:bold}"
    ".outcome{padding:10px 14px;border-radius:4px;margin:14px 0;font-size:15px}"
    ".outcome.clean{background:#e6f4ea;border:1px solid #8bc79b}"
    ".outcome.failure,.outcome.stopped,.outcome.nothing{background:#fdecea;"
    "border:1px solid #e08b84}"
    ".outcome .where{font-family:monospace;color:#555}"
    ".diagnostic{margin:4px 0}.diagnostic pre{margin:2px 0 0 18px;color:#555}"
    "figure{margin:0}figure svg{max-width:100%;height:auto;border:1px solid #ddd}"
    ".legend{font-size:12px;color:#444;display:flex;flex-wrap:wrap;gap:4px 16px;margin:6px 0}"
    ".key{display:inline-block;width:18px;height:8px;margin-right:5px;vertical-align:middle}"
    ".key.line{background:#333}.key.curve{background:#1f77b4}.key.mountain{background:#c9b2ac}"
    ".key.slowdown{background:#d62728}.key.station{background:#fff;border:2px solid #000;"
    "width:8px;border-radius:50%}.key.signal{background:#2ca02c}"
    ".key.direction-board{background:#ffbf00}.key.speed-board{background:#fff;"
    "border:2px solid #d62728;border-radius:4px}.key.speed{background:#1f77b4}"
    ".key.gradient{background:#2ca02c}.key.placed{background:#9467bd}"
    ".key.hand{background:#fff;border:1px solid #000}.key.cab{background:#17becf}"
    ".note{font-size:13px;color:#555}"
    "table{border-collapse:collapse;font-size:13px;margin:4px 0 10px}"
    "th,td{border:1px solid #ccc;padding:3px 8px;text-align:left;vertical-align:top}"
    "th{background:#f0f0f0;font-weight:normal}td{font-variant-numeric:tabular-nums}"
    "p.none{color:#777;font-size:13px;margin:2px 0 10px}"
    "footer{margin-top:30px;font-size:12px;color:#777}";

void fact(std::string& out, std::string_view label, std::string_view value_escaped) {
  out += "<div><dt>";
  out += label;
  out += "</dt><dd>";
  out += value_escaped;
  out += "</dd></div>";
}

std::string failure_words(FailureCode code, std::optional<std::int32_t> position) {
  std::string words =
      "error " + std::to_string(code_number(code)) + ": " + std::string(error_meaning(code));
  if (position) words += " (at " + std::to_string(*position) + " m)";
  return words;
}

void recorded_failure(std::string& out, const ReportOutcome& o) {
  append_escaped_mixed(out, failure_words(o.code, o.position));
  if (!o.where.empty()) {
    out += " <span class=\"where\">";
    append_escaped_mixed(out, o.where);
    out += "</span>";
  }
  if (!o.detail.empty()) {
    out += "<br>";
    append_escaped_mixed(out, o.detail);
  }
}

// The outcome, first thing under the title: a failure is the news of the page.
void outcome(std::string& out, const ReportOutcome& o) {
  out += "<div role=\"status\"";
  append_integer_attribute(out, "data-error-code", code_number(o.code));
  if (o.fatal) append_integer_attribute(out, "data-fatal", code_number(*o.fatal));
  if (o.fatal) {
    out += " class=\"outcome stopped\"><strong>Stopped by the error box:</strong> ";
    append_escaped_mixed(out, failure_words(*o.fatal, std::nullopt));
    out += ". The pack shows \" Errore n. " + std::to_string(code_number(*o.fatal)) +
           "\" and writes no binary file; below is what was compiled before it.";
    if (o.code != FailureCode::none) {
      out += "<br>Also recorded: ";
      recorded_failure(out, o);
    }
  } else if (o.nothing_compiled) {
    out += " class=\"outcome nothing\"><strong>Nothing compiled:</strong> ";
    if (o.code != FailureCode::none) recorded_failure(out, o);
    out += "<br>The compile stopped before the line's cells existed; no binary file is written.";
  } else if (o.code != FailureCode::none) {
    out += " class=\"outcome failure\"><strong>Recorded failure:</strong> ";
    recorded_failure(out, o);
    out +=
        "<br>The binary files are written all the same, with what was compiled; the page "
        "shows it.";
  } else {
    out += " class=\"outcome clean\"><strong>Clean:</strong> the compile recorded no failure.";
  }
  out += "</div>";
}

void diagnostics(std::string& out, const std::vector<ReportDiagnostic>& list) {
  if (list.empty()) return;
  out += "<section id=\"diagnostics\"><h2>Diagnostics</h2><ul>";
  for (const ReportDiagnostic& d : list) {
    out += "<li class=\"diagnostic\"";
    append_text_attribute(out, "data-severity", d.severity);
    out += "><span class=\"where\">";
    append_escaped_mixed(out, d.where);
    out += "</span> ";
    append_escaped_mixed(out, d.severity);
    out += ' ';
    append_escaped_mixed(out, d.code);
    out += ": ";
    append_escaped_mixed(out, d.message);
    if (!d.source_line.empty()) {
      out += "<pre>";
      append_escaped_mixed(out, d.source_line);
      out += "</pre>";
    }
    out += "</li>";
  }
  out += "</ul></section>";
}

void header(std::string& out, const ReportInput& input) {
  const ScenarioState& state = *input.state;
  const std::int32_t length = state.sim_table[kTrainRouteSlot].zone_end;
  out += "<header";
  append_text_attribute(out, "data-line", state.line_name);
  append_text_attribute(out, "data-train", state.train_number);
  append_integer_attribute(out, "data-route-length", length);
  out += "><h1>";
  append_escaped(out, state.line_name);
  out += "</h1><dl class=\"facts\">";
  fact(out, "train", escaped(state.train_number));
  fact(out, "route length", std::to_string(length) + " m (" + distance_text(length) + ")");
  if (state.cells) {
    fact(out, "cells", "0 to " + std::to_string(state.cells->last_index()) + ", 50 m each");
    const SimSlot& cab = state.sim_table[kTrainSlot];
    fact(out, "cab signalling",
         cab.zone_end == 0
             ? std::string("none")
             : std::to_string(cab.position) + " codes, " + std::to_string(cab.zone_start) + " to " +
                   std::to_string(cab.zone_end) + " m");
  }
  out += "</dl>";
  outcome(out, input.outcome);
  out += "</header>";
}

std::string no_plan_reason(const ReportInput& input, std::size_t rows) {
  if (!input.no_plan_reason.empty()) return input.no_plan_reason;
  const ReportOutcome& o = input.outcome;
  const std::string why =
      o.code != FailureCode::none ? " (" + failure_words(o.code, o.position) + ")" : std::string();
  if (!input.state->line_profile) return "the compile stopped before the line's plan existed" + why;
  if (rows < 2) return "the compile stopped before it drew the first metre of the plan" + why;
  return {};
}

constexpr std::string_view kNoCells = "the compile stopped before the line's cells existed";

constexpr std::string_view kMapLegend =
    "<p class=\"legend\"><span><i class=\"key line\"></i>line (dashed: run-out past its end)"
    "</span><span><i class=\"key curve\"></i>curve</span><span><i class=\"key mountain\"></i>"
    "mountain</span><span><i class=\"key slowdown\"></i>slowdown</span><span><i class=\"key "
    "station\"></i>station</span><span><i class=\"key signal\"></i>signal</span><span><i "
    "class=\"key direction-board\"></i>direction board (text on hover)</span><span><i "
    "class=\"key speed-board\"></i>maximum-speed boards</span></p>";

constexpr std::string_view kProfileLegend =
    "<p class=\"legend\"><span><i class=\"key speed\"></i>speed limit of the cells</span><span>"
    "<i class=\"key slowdown\"></i>slowdown speed</span><span><i class=\"key gradient\"></i>"
    "gradient</span><span><i class=\"key mountain\"></i>mountain</span><span><i class=\"key "
    "placed\"></i>code change placed by the placement pass</span><span><i class=\"key hand\"></i>"
    "code change from the train file</span><span><i class=\"key cab\"></i>cab-signal stretch"
    "</span></p>";

}  // namespace

Report render_report(const ReportInput& input) {
  const ScenarioState& state = *input.state;
  Report report;
  std::vector<PlanPoint> plan;
  if (state.line_profile) plan = plan_points(*state.line_profile);
  std::vector<PlanCurve> curves = find_curves(plan);
  const std::string missing = no_plan_reason(input, plan.size());

  std::optional<LineSurvey> survey;
  if (state.cells) survey = survey_line(state, input.cells_before_placement, &input.author_places);
  if (!survey) {
    report.map_svg = missing_picture_svg("map", "map", missing.empty() ? kNoCells : missing);
    report.profile_svg = missing_picture_svg("profile", "profile", kNoCells);
  } else {
    report.map_svg = missing.empty() ? map_svg(*survey, plan, curves)
                                     : missing_picture_svg("map", "map", missing);
    report.profile_svg = profile_svg(*survey);
  }

  std::string& out = report.html;
  out.reserve(report.map_svg.size() + report.profile_svg.size() + 64 * 1024);
  out +=
      "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
      "<meta http-equiv=\"Content-Security-Policy\" content=\"";
  out += kPolicy;
  out += "\"><meta name=\"viewport\" content=\"width=device-width, initial-scale=1\"><title>";
  append_escaped(out, state.line_name);
  out += " \xE2\x80\x94 train ";
  append_escaped(out, state.train_number);
  out += "</title><style>";
  out += kPageStyle;
  out += "</style></head><body>";
  header(out, input);
  diagnostics(out, input.diagnostics);

  out += "<section id=\"map\"><h2>Map</h2><figure>";
  out += report.map_svg;
  out += "</figure>";
  if (survey && missing.empty()) {
    out += kMapLegend;
    if (state.line_profile && plan.size() < static_cast<std::size_t>(state.route_span) - 1) {
      out += "<p class=\"note\">The plan stops at metre " + std::to_string(plan.size() - 1) +
             ": the compile drew no further.</p>";
    }
  }
  out += "</section>";

  if (survey) {
    out += "<section id=\"profile\"><h2>Profile</h2><figure>";
    out += report.profile_svg;
    out += "</figure>";
    out += kProfileLegend;
    out += "<p class=\"note\">Speed limit and gradient of cells 0 to " +
           std::to_string(survey->last_filled_cell) +
           ", the ones the compile's fills reach; the last three cells are left out.</p>"
           "</section>";
    out += "<section id=\"tables\"><h2>On the line</h2>";
    out += survey_tables(*survey, curves);
    out += "</section>";
  }
  out +=
      "<footer>Drawn from the compiled scenario: the scenario table, the cells and the plan "
      "of the line, as the simulator gets them.</footer></body></html>\n";
  return report;
}

}  // namespace scenario::report
