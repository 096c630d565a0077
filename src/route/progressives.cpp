#include "route/progressives.h"

#include <cstdint>

namespace scenario {

namespace {

struct Progressive {
  std::int32_t first = 0;
  std::int32_t second = 0;
  std::int32_t third = 0;
};

Progressive entry_of(const SimSlot& slot) {
  return {slot.zone_start, slot.zone_end, slot.position};
}

void store(SimSlot& slot, const Progressive& entry) {
  slot.zone_start = entry.first;
  slot.zone_end = entry.second;
  slot.position = entry.third;
}

// The key sum is a 32-bit sum: it wraps rather than fails, since the ordering never fails.
std::int32_t wrapped_sum(std::int32_t a, std::int32_t b, std::int32_t c) {
  const std::int64_t sum = static_cast<std::int64_t>(a) + b + c;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(sum));
}

std::int32_t wrapped_plus_100(std::int32_t v) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(v) + 100u);
}

struct Order {
  Progressive slot81, slot82, slot83;
};

// `top` has the strictly largest key; of the other two, `tie_winner` takes slot 82 when the keys
// are equal.
Order ranked(const Progressive& top, const Progressive& other, const Progressive& tie_winner) {
  if (other.first > tie_winner.first) return {top, other, tie_winner};
  return {top, tie_winner, other};
}

Order by_key(const Progressive& t, const Progressive& d, const Progressive& u) {
  if (t.first > d.first && t.first > u.first) return ranked(t, d, u);
  if (d.first > t.first && d.first > u.first) return ranked(d, t, u);
  if (u.first > t.first && u.first > d.first) return ranked(u, t, d);
  return {};  // two or three share the largest key
}

// Each rule replaces what the one before set.
Order by_second_value(const Progressive& t, const Progressive& d, const Progressive& u) {
  Order order = t.second > 0 ? Order{t, d, u} : Order{};
  if (d.second > 0) order = {d, t, u};
  if (u.second > 0) order = {u, d, t};
  return order;
}

}  // namespace

void progressive_ordina(ScenarioState& state) {
  SimTable& table = state.sim_table;
  const Progressive t = entry_of(table[kProgressiveTreSlot]);
  const Progressive d = entry_of(table[kProgressiveDueSlot]);
  const Progressive u = entry_of(table[kProgressiveUnoSlot]);

  const Order order =
      wrapped_sum(t.first, d.first, u.first) != 0 ? by_key(t, d, u) : by_second_value(t, d, u);
  store(table[kProgressiveTreSlot], order.slot81);
  store(table[kProgressiveDueSlot], order.slot82);
  store(table[kProgressiveUnoSlot], order.slot83);

  for (const int slot : {kProgressiveTreSlot, kProgressiveDueSlot, kProgressiveUnoSlot}) {
    if (table[slot].position == 1) table[slot].zone_end = wrapped_plus_100(table[slot].zone_end);
  }
}

}  // namespace scenario
