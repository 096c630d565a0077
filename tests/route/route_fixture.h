#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "memory_folder/memory_folder.h"
#include "model/file_names.h"
#include "model/scenario_state.h"
#include "parse/parse_context.h"
#include "route/route_parse.h"
#include "support/test_support.h"

namespace scenario {

using testing::crlf_lines;

// A 1000 m route: route_span 8000, cells 0 to 160 (N = 160), the bound test passing positions up
// to 7900. `features` go between its general section and its "[fine]".
inline std::string short_route(std::string_view features) {
  return crlf_lines({"[generale]", "lunghezza percorso,  1000", "[curve]"}) +
         std::string(features) + crlf_lines({"[fine]"});
}

// A fresh state (profile built) and a folder in memory holding the route file the test writes.
class RouteParse : public ::testing::Test {
 protected:
  RouteParse() { reset(); }

  // Back to a fresh state and context, for the next case of a table.
  void reset() {
    state = ScenarioState{};
    state.line_name = "Linea Prova";
    state.train_number = "1";
    state.profile_flag = 1;
    context = ParseContext{};
    context.folder = &folder;
    context.route_name = route_text_name(state);
  }

  RouteOutcome parse(std::string_view route_text) {
    folder.put(context.route_name, std::string(route_text));
    return route_half(state, context);
  }

  bool route_file_exists() const { return folder.file(context.route_name).has_value(); }

  const TrackCell& cell(std::int64_t i) const { return (*state.cells)[i]; }
  double x(std::int64_t row) const { return state.line_profile->value(row, 0); }
  double y(std::int64_t row) const { return state.line_profile->value(row, 1); }
  // Every row's point in one walk, 0 for empty elements: for comparing whole plans.
  static std::vector<ProfilePoint> all_points(const LineProfile& plan) {
    std::vector<ProfilePoint> points;
    for (std::int64_t row = 0; row <= plan.last_row(); ++row) {
      points.push_back({plan.value(row, 0), plan.value(row, 1)});
      if (row + 1 == LineProfile::kFirstComputed) break;
    }
    PlanRows rows(plan);
    while (rows.next_row() < plan.computed_end()) points.push_back(rows.next());
    points.resize(static_cast<std::size_t>(plan.last_row()) + 1, ProfilePoint{0, 0});
    return points;
  }

  MemoryFolder folder;
  ScenarioState state;
  ParseContext context;
};

}  // namespace scenario
