#pragma once

#include <cstdint>
#include <string>

namespace scenario::testing {

// One made-up scenario: a route and a train text file as an author would write them.
struct GeneratedScenario {
  std::string route;
  std::string train;
  // What was broken on purpose ("" for a scenario meant to compile cleanly).
  std::string damage;
};

// The scenario of `seed`: always the same texts for the same seed. About one in three is
// broken on purpose: a field made non-numeric or too large, a line dropped or repeated, a
// position off the 50 m grid, past the line's end or at its start, the file cut short. Names
// hold some of code page 1252's bytes above 7F.
GeneratedScenario generate_scenario(std::uint64_t seed);

}  // namespace scenario::testing
