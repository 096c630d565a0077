#include "report/report_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace scenario::report {
namespace {

// A 3000 m line (cells 0 to 200) with a straight plan along +y and one station.
ScenarioState straight_line() {
  ScenarioState state;
  state.line_name = "Prova";
  state.train_number = "7";
  state.route_span = 10000;
  state.sim_table[kTrainRouteSlot].zone_end = 3000;
  state.sim_table[1].name = "FERMATA";
  state.sim_table[1].position = 1000;
  state.cells.emplace(200);
  state.line_profile.emplace(10000);
  state.line_profile->set_int16(0, 0, 0);
  state.line_profile->set_int16(0, 1, 0);
  state.line_profile->set_int16(1, 0, 0);
  state.line_profile->set_int16(1, 1, 1);
  state.line_profile->extend_straight(9998);  // row r is (0, r)
  return state;
}

std::size_t count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

Report render(const ScenarioState& state, ReportOutcome outcome = {},
              std::vector<ReportDiagnostic> diagnostics = {}, std::string no_plan = {}) {
  ReportInput input;
  input.state = &state;
  input.outcome = std::move(outcome);
  input.diagnostics = std::move(diagnostics);
  input.no_plan_reason = std::move(no_plan);
  return render_report(input);
}

TEST(ReportPage, IsOneSelfContainedPageThatFetchesNothing) {
  const Report report = render(straight_line());
  const std::string& page = report.html;
  EXPECT_EQ(page.rfind("<!DOCTYPE html>", 0), 0U);
  EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos);
  EXPECT_NE(page.find("Content-Security-Policy\" content=\"default-src 'none'"), std::string::npos);
  for (const char* fetching : {"<script", "src=", "href=", "url(", "@import", "<link", "<img"}) {
    SCOPED_TRACE(fetching);
    EXPECT_EQ(page.find(fetching), std::string::npos);
  }
  // The pictures on the page are the standalone ones.
  EXPECT_NE(page.find(report.map_svg), std::string::npos);
  EXPECT_NE(page.find(report.profile_svg), std::string::npos);
  EXPECT_EQ(count(page, "<svg"), 2U);
}

struct OutcomeCase {
  const char* what;
  ReportOutcome outcome;
  const char* heading;
  std::vector<std::string> words;
};

TEST(ReportPage, SaysHowTheCompileEndedAtTheTop) {
  const std::vector<OutcomeCase> cases = {
      {"clean", {}, "outcome clean", {"Clean:", "no failure"}},
      {"a recorded failure with its place",
       {FailureCode::record_beyond_cells, 20000, "my route.txt:14", "", std::nullopt, false},
       "outcome failure",
       {"Recorded failure:", "error 15: record position beyond the end of the line&#39;s cells",
        "(at 20000 m)", "my route.txt:14"}},
      {"a read fault with the reader's words",
       {FailureCode::read_fault, std::nullopt, "t.txt:4", "t.txt:4: \"sabbia\": 40000 does not fit",
        std::nullopt, false},
       "outcome failure",
       {"error 25: the text file could not be read", "&quot;sabbia&quot;: 40000 does not fit"}},
      {"the error box",
       {FailureCode::none, std::nullopt, "", "", FailureCode::marker_in_use, false},
       "outcome stopped",
       {"Stopped by the error box:", "error 1250: a reserved marker field", "Errore n. 1250"}},
      {"the error box after a recorded failure",
       {FailureCode::no_cell_through_slowdown, 4000, "", "", FailureCode::integrity_code_in_use,
        false},
       "outcome stopped",
       {"error 1251", "Also recorded: error 13", "(at 4000 m)"}},
  };
  for (const OutcomeCase& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string page = render(straight_line(), c.outcome).html;
    const auto outcome = page.find(c.heading);
    ASSERT_NE(outcome, std::string::npos);
    // At the top: inside the header, before the map.
    EXPECT_LT(outcome, page.find("</header>"));
    EXPECT_LT(page.find("</header>"), page.find("<section id=\"map\""));
    const std::string box = page.substr(outcome, page.find("</div>", outcome) - outcome);
    for (const std::string& w : c.words) EXPECT_NE(box.find(w), std::string::npos) << w;
    EXPECT_NE(page.find("data-error-code=\"" + std::to_string(code_number(c.outcome.code)) + "\""),
              std::string::npos);
  }
}

TEST(ReportPage, WithoutCellsSaysNothingWasCompiledAndDrawsNeitherPicture) {
  ScenarioState state;
  state.line_name = "Prova";
  state.train_number = "7";
  const Report report =
      render(state, {FailureCode::no_route_file, std::nullopt, "r.txt", "", std::nullopt, true});
  EXPECT_NE(report.html.find("outcome nothing"), std::string::npos);
  EXPECT_NE(report.html.find("error 101: the route file does not exist"), std::string::npos);
  EXPECT_NE(report.map_svg.find("class=\"map missing\""), std::string::npos);
  EXPECT_NE(report.map_svg.find("before the line&#39;s plan existed"), std::string::npos);
  EXPECT_NE(report.profile_svg.find("class=\"profile missing\""), std::string::npos);
  EXPECT_EQ(report.html.find("<section id=\"profile\""), std::string::npos);
  EXPECT_EQ(report.html.find("<section id=\"tables\""), std::string::npos);
}

TEST(ReportPage, TheMapSaysWhyThereIsNoPlan) {
  ScenarioState no_profile = straight_line();
  no_profile.line_profile.reset();
  const Report asked = render(no_profile, {}, {}, "compiled without the line profile");
  EXPECT_NE(asked.map_svg.find("No map: compiled without the line profile"), std::string::npos);
  // The profile along the line comes from the cells and is still drawn.
  EXPECT_EQ(asked.profile_svg.find("missing"), std::string::npos);

  // The route stopped before it seeded the plan: the rows are there, all empty.
  ScenarioState unseeded = straight_line();
  unseeded.line_profile.emplace(10000);
  const Report stopped = render(unseeded, {FailureCode::cab_start_off_cells, std::nullopt,
                                           "r.txt:3", "", std::nullopt, false});
  EXPECT_NE(stopped.map_svg.find("before it drew the first metre of the plan (error 3"),
            std::string::npos);
}

TEST(ReportPage, NotesAPlanThatStopsShortOfTheLine) {
  ScenarioState state = straight_line();
  state.line_profile.emplace(10000);
  for (int r = 0; r < 2; ++r) {
    state.line_profile->set_int16(r, 0, 0);
    state.line_profile->set_int16(r, 1, static_cast<std::int16_t>(r));
  }
  state.line_profile->extend_straight(2000);
  const std::string page =
      render(state, {FailureCode::curve_refused, std::nullopt, "r.txt:12", "", std::nullopt, false})
          .html;
  EXPECT_NE(page.find("The plan stops at metre 2000"), std::string::npos);
  EXPECT_EQ(count(page, "class=\"map\""), 1U);
}

TEST(ReportPage, ListsTheDiagnosticsItIsGivenAndNoneOtherwise) {
  const std::vector<ReportDiagnostic> found = {
      {"route.txt:12", "warning", "W7", "curve <ends> beyond the line", "curvad4, 9750, 600"},
      {"train.txt:3", "error", "E2", "station too close", ""},
  };
  const std::string page = render(straight_line(), {}, found).html;
  EXPECT_EQ(count(page, "<li class=\"diagnostic\""), 2U);
  EXPECT_NE(page.find("route.txt:12"), std::string::npos);
  EXPECT_NE(page.find("curve &lt;ends&gt; beyond the line"), std::string::npos);
  EXPECT_NE(page.find("<pre>curvad4, 9750, 600</pre>"), std::string::npos);
  EXPECT_LT(page.find("id=\"diagnostics\""), page.find("id=\"map\""));

  const std::string without = render(straight_line()).html;
  EXPECT_EQ(without.find("id=\"diagnostics\""), std::string::npos);
  EXPECT_EQ(without.find("<li class=\"diagnostic\""), std::string::npos);
}

TEST(ReportPage, NamesAFeatureByItsRecordsMetresWhenItHasOneAndByItsCellOtherwise) {
  ScenarioState state = straight_line();
  (*state.cells)[30].kind = CellKind::signal;
  (*state.cells)[40].kind = CellKind::signal;
  ReportInput input;
  input.state = &state;
  // The signal of cell 30 was written at 1460 m on line 9 of a file named outside ASCII; the
  // one of cell 40 has no record the page was told of.
  input.author_places[30] = {1460, {1460, 2, 5}, "citt\xC3\xA0.txt:9"};
  const Report report = render_report(input);
  const std::string& page = report.html;
  EXPECT_NE(page.find("<td>1460 m (cell 30)</td>"), std::string::npos);
  EXPECT_NE(page.find("<td class=\"source\">citt\xC3\xA0.txt:9</td>"), std::string::npos);
  EXPECT_NE(page.find("<td>cell 40 (2000 m)</td>"), std::string::npos);
  EXPECT_NE(page.find("<td class=\"source\">-</td>"), std::string::npos);
  EXPECT_EQ(page.find("1500 m"), std::string::npos);  // the first cell's own metres
  for (const std::string* picture : {&report.map_svg, &report.profile_svg}) {
    EXPECT_NE(picture->find("<title>signal at 1460 m (cell 30)</title>"), std::string::npos);
    EXPECT_NE(picture->find("<title>signal at cell 40 (2000 m)</title>"), std::string::npos);
  }
}

TEST(ReportPage, EscapesEveryTextFromTheAuthorsFiles) {
  ScenarioState state = straight_line();
  state.line_name = "Linea <b>&";
  state.train_number = "\"7'";
  state.sim_table[1].name = "<script>alert(1)</script>";
  (*state.cells)[28].kind = CellKind::direction_board;
  (*state.cells)[28].value1 = 80;
  state.sim_table[80].name = "(</title><svg onload=x>)";
  const Report report = render(state);
  for (const std::string* picture : {&report.html, &report.map_svg, &report.profile_svg}) {
    EXPECT_EQ(picture->find("<script"), std::string::npos);
    EXPECT_EQ(picture->find("<b>"), std::string::npos);
    EXPECT_EQ(picture->find("<svg onload"), std::string::npos);
  }
  EXPECT_NE(report.html.find("<h1>Linea &lt;b&gt;&amp;</h1>"), std::string::npos);
  EXPECT_NE(report.html.find("&quot;7&#39;"), std::string::npos);
  EXPECT_NE(report.map_svg.find("&lt;script&gt;alert(1)&lt;/script&gt;</text>"), std::string::npos);
  EXPECT_NE(report.map_svg.find("<title>(&lt;/title&gt;&lt;svg onload=x&gt;)</title>"),
            std::string::npos);
}

}  // namespace
}  // namespace scenario::report
