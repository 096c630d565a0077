#include "route/progressives.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace scenario {
namespace {

// (first, second, third) of one kilometre-progressive entry.
using Entry = std::array<std::int32_t, 3>;

struct Slots {
  Entry s81, s82, s83;
};

void put(SimSlot& slot, const Entry& e) {
  slot.zone_start = e[0];
  slot.zone_end = e[1];
  slot.position = e[2];
}

Entry get(const SimSlot& slot) { return {slot.zone_start, slot.zone_end, slot.position}; }

TEST(ProgressiveOrdina, OrdersOrMovesTheThreeEntries) {
  constexpr std::int32_t kMax = 2147483647;
  const struct {
    std::string name;
    Slots read;  // tre, due, uno as read
    Slots ordered;
  } cases[] = {
      {"all zero", {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
      {"due largest, flag 1",
       {{100, 50, 0}, {300, 200, 1}, {0, 0, 0}},
       {{300, 300, 1}, {100, 50, 0}, {0, 0, 0}}},
      {"largest key shared",
       {{100, 50, 0}, {300, 200, 1}, {300, 0, 0}},
       {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
      {"all three share the key",
       {{50, 1, 1}, {50, 2, 1}, {50, 3, 1}},
       {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
      {"ascending uno, due, tre keep their slots",
       {{300, 3, 0}, {200, 2, 0}, {100, 1, 0}},
       {{300, 3, 0}, {200, 2, 0}, {100, 1, 0}}},
      {"reversed",
       {{100, 1, 0}, {200, 2, 0}, {300, 3, 0}},
       {{300, 3, 0}, {200, 2, 0}, {100, 1, 0}}},
      // Equal second keys: slot 82 takes "uno" when it is one of the two, else "due".
      {"tre largest, due and uno tie",
       {{300, 3, 0}, {100, 2, 0}, {100, 1, 0}},
       {{300, 3, 0}, {100, 1, 0}, {100, 2, 0}}},
      {"due largest, tre and uno tie",
       {{100, 3, 0}, {300, 2, 0}, {100, 1, 0}},
       {{300, 2, 0}, {100, 1, 0}, {100, 3, 0}}},
      {"uno largest, tre and due tie",
       {{100, 3, 0}, {100, 2, 0}, {300, 1, 0}},
       {{300, 1, 0}, {100, 2, 0}, {100, 3, 0}}},
      {"negative keys",
       {{-100, 3, 0}, {-300, 2, 0}, {0, 1, 0}},
       {{0, 1, 0}, {-100, 3, 0}, {-300, 2, 0}}},
      // Keys summing to 0: the second values decide.
      {"only uno given", {{0, 0, 0}, {0, 0, 0}, {0, 700, 1}}, {{0, 800, 1}, {0, 0, 0}, {0, 0, 0}}},
      {"only tre given", {{0, 700, 0}, {0, 0, 0}, {0, 0, 0}}, {{0, 700, 0}, {0, 0, 0}, {0, 0, 0}}},
      {"tre and due given",
       {{0, 700, 0}, {0, 500, 0}, {0, 0, 0}},
       {{0, 500, 0}, {0, 700, 0}, {0, 0, 0}}},
      {"all given", {{0, 7, 0}, {0, 5, 0}, {0, 3, 1}}, {{0, 103, 1}, {0, 5, 0}, {0, 7, 0}}},
      {"keys cancelling out",
       {{100, 0, 0}, {-100, 0, 0}, {0, 50, 0}},
       {{0, 50, 0}, {-100, 0, 0}, {100, 0, 0}}},
      // The key sum is taken in 32 bits: these keys wrap to 0.
      {"key sum wrapping to 0",
       {{kMax, 0, 0}, {kMax, 0, 0}, {2, 9, 0}},
       {{2, 9, 0}, {kMax, 0, 0}, {kMax, 0, 0}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScenarioState state;
    put(state.sim_table[kProgressiveTreSlot], c.read.s81);
    put(state.sim_table[kProgressiveDueSlot], c.read.s82);
    put(state.sim_table[kProgressiveUnoSlot], c.read.s83);
    progressive_ordina(state);
    EXPECT_EQ(get(state.sim_table[kProgressiveTreSlot]), c.ordered.s81);
    EXPECT_EQ(get(state.sim_table[kProgressiveDueSlot]), c.ordered.s82);
    EXPECT_EQ(get(state.sim_table[kProgressiveUnoSlot]), c.ordered.s83);
  }
}

}  // namespace
}  // namespace scenario
