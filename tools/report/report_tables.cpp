#include "report_tables.h"

#include <cmath>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "markup.h"

namespace scenario::report {

namespace {

std::string number(std::int64_t v) { return std::to_string(v); }

class Table {
 public:
  Table(std::string& out, std::string_view id, std::string_view heading, bool empty,
        std::string_view none)
      : out_(out), empty_(empty) {
    out_ += "<section class=\"table\" id=\"";
    out_ += id;
    out_ += "\"><h3>";
    out_ += heading;
    out_ += "</h3>";
    if (empty_) {
      out_ += "<p class=\"none\">";
      out_ += none;
      out_ += "</p>";
    } else {
      out_ += "<table>";
    }
  }
  Table(const Table&) = delete;
  Table& operator=(const Table&) = delete;
  ~Table() { out_ += empty_ ? "</section>" : "</tbody></table></section>"; }

  // Column headings are the writer's own text and are written as they stand.
  void head(std::initializer_list<std::string_view> columns) {
    out_ += "<thead><tr>";
    for (const std::string_view c : columns) {
      out_ += "<th>";
      out_ += c;
      out_ += "</th>";
    }
    out_ += "</tr></thead><tbody>";
  }

  // Cells are escaped: names and texts come from the authors' files.
  void row(std::initializer_list<std::string> cells) {
    out_ += "<tr>";
    cells_of(cells);
    out_ += "</tr>";
  }
  // The same with the record's source last, UTF-8 like the path it names.
  void row(std::initializer_list<std::string> cells, const std::string& source) {
    out_ += "<tr>";
    cells_of(cells);
    out_ += "<td class=\"source\">";
    append_escaped_mixed(out_, source);
    out_ += "</td></tr>";
  }

 private:
  void cells_of(std::initializer_list<std::string> cells) {
    for (const std::string& c : cells) {
      out_ += "<td>";
      append_escaped(out_, c);
      out_ += "</td>";
    }
  }

  std::string& out_;
  bool empty_;
};

void stations(std::string& out, const LineSurvey& s) {
  Table t(out, "stations", "Stations", s.stations.empty(), "No station.");
  if (s.stations.empty()) return;
  t.head({"slot", "name", "position (m)", "type", "zone start (m)", "zone end (m)", "time",
          "stop cell", "record"});
  for (const StationMark& st : s.stations) {
    // The position is the record's own; the stop cell follows from the zone's end.
    t.row({number(st.slot), st.name, number(st.position), number(st.type), number(st.zone_start),
           number(st.zone_end), clock_time(st.time_s),
           st.stop_cell ? cell_text(*st.stop_cell) : std::string("-")},
          source_text(st.author));
  }
}

void signals(std::string& out, const LineSurvey& s) {
  Table t(out, "signals", "Signals", s.signals.empty(), "No signal.");
  if (s.signals.empty()) return;
  t.head({"position", "sx", "s1", "s2", "s3", "dx", "d1", "d2", "d3", "rapp", "signal time",
          "value1..value4", "record"});
  for (const SignalMark& sig : s.signals) {
    const SignalAspects& a = sig.aspects;
    t.row({place_text(sig.cell, sig.author), number(a.sx), number(a.s[0]), number(a.s[1]),
           number(a.s[2]), number(a.dx), number(a.d[0]), number(a.d[1]), number(a.d[2]),
           number(a.rapp), number(sig.values.signal_time),
           number(sig.values.value1) + " " + number(sig.values.value2) + " " +
               number(sig.values.value3) + " " + number(sig.values.value4)},
          source_text(sig.author));
  }
}

void slowdowns(std::string& out, const LineSurvey& s) {
  Table t(out, "slowdowns", "Slowdowns", s.slowdowns.empty(), "No slowdown.");
  if (s.slowdowns.empty()) return;
  t.head({"start", "end", "speed (km/h)", "d_v", "f_tt", "warning", "approach cells", "record"});
  for (const SlowdownMark& sl : s.slowdowns) {
    const SlowdownPlaces p = slowdown_places(sl);
    t.row({p.start, p.end, number(sl.speed), number(sl.d_v), number(sl.f_tt), p.warning,
           number(sl.approach_cells)},
          p.source);
  }
}

void direction_boards(std::string& out, const LineSurvey& s) {
  Table t(out, "direction-boards", "Direction boards", s.direction_boards.empty(),
          "No direction board.");
  if (s.direction_boards.empty()) return;
  t.head({"position", "slot", "text", "record"});
  for (const DirectionBoardMark& b : s.direction_boards) {
    t.row({place_text(b.cell, b.author), number(b.slot), b.text}, source_text(b.author));
  }
}

std::string board_speeds(const SpeedBoardMark& b, bool first) {
  std::string text;
  for (int k = 0; k < 3; ++k) {
    const auto speeds = unpack_board_speeds(b.packed[k]);
    if (k != 0) text += " / ";
    text += speeds ? number(first ? speeds->first : speeds->second) : std::string("?");
  }
  return text;
}

void speed_boards(std::string& out, const LineSurvey& s) {
  Table t(out, "speed-boards", "Maximum-speed boards", s.speed_boards.empty(),
          "No maximum-speed board.");
  if (s.speed_boards.empty()) return;
  t.head({"position", "first board A / B / C (km/h)", "stripes", "second board A / B / C (km/h)",
          "stripes", "value1..value4", "record"});
  for (const SpeedBoardMark& b : s.speed_boards) {
    const std::int32_t stripes = b.stripes;
    const std::int32_t first_stripes = stripes >= 0 ? stripes / 10 : stripes;
    t.row({place_text(b.cell, b.author), board_speeds(b, true), number(first_stripes),
           board_speeds(b, false), stripes >= 0 ? number(stripes % 10) : std::string("?"),
           number(b.packed[0]) + " " + number(b.packed[1]) + " " + number(b.packed[2]) + " " +
               number(b.stripes)},
          source_text(b.author));
  }
}

std::string origin_text(const CodeChangeMark& c) {
  switch (c.origin) {
    case CodeOrigin::train_file:
      return c.value_from_train_file
                 ? "train file (" + number(*c.value_from_train_file) + ", capped by the placement)"
                 : "train file";
    case CodeOrigin::placement_pass:
      return "placement pass";
    case CodeOrigin::unknown:
      break;
  }
  return "unknown";
}

void code_changes(std::string& out, const LineSurvey& s) {
  Table t(out, "code-changes", "Code changes", s.code_changes.empty(), "No code change.");
  if (s.code_changes.empty()) return;
  t.head({"position", "kind", "code", "placed by", "record"});
  for (const CodeChangeMark& c : s.code_changes) {
    t.row({place_text(c.cell, c.author), c.cut ? "code cut" : "code change",
           c.cut ? std::string("-") : number(c.value), origin_text(c)},
          source_text(c.author));
  }
}

void curve_table(std::string& out, std::span<const PlanCurve> curves) {
  Table t(out, "curves", "Curves on the plan", curves.empty(), "No curve.");
  if (curves.empty()) return;
  t.head({"from (m)", "to (m)", "side", "turn per metre", "radius (m)"});
  for (const PlanCurve& c : curves) {
    t.row({number(c.from_m), number(c.to_m), c.turn < 0 ? "left" : "right",
           fixed(std::fabs(c.turn), 5), fixed(1 / std::fabs(c.turn), 0)});
  }
}

// The mountain records that gave a stretch of cells its type, as their authors wrote them.
std::string written_text(const LineSurvey& s, const Stretch& stretch) {
  std::string text;
  for (const WrittenSpan& m : written_over(s, stretch)) {
    if (!text.empty()) text += ", ";
    text += number(m.from_m) + " to " + number(m.to_m);
  }
  return text.empty() ? std::string("-") : text;
}

void mountain_table(std::string& out, const LineSurvey& s) {
  Table t(out, "mountains", "Mountains", s.mountains.empty(), "No mountain.");
  if (s.mountains.empty()) return;
  t.head({"as written (m)", "cells", "type"});
  for (const Stretch& m : s.mountains) {
    t.row({written_text(s, m),
           "cells " + number(m.from_m / kCellMetres) + " to " + number(m.to_m / kCellMetres - 1) +
               " (" + number(m.from_m) + " to " + number(m.to_m) + " m)",
           number(m.value)});
  }
}

}  // namespace

std::string survey_tables(const LineSurvey& survey, std::span<const PlanCurve> curves) {
  std::string out;
  stations(out, survey);
  signals(out, survey);
  slowdowns(out, survey);
  direction_boards(out, survey);
  speed_boards(out, survey);
  code_changes(out, survey);
  curve_table(out, curves);
  mountain_table(out, survey);
  return out;
}

}  // namespace scenario::report
