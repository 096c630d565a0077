#include <string>

#include "inspect/cell_meaning.h"
#include "inspect/dump.h"
#include "inspect/json_text.h"
#include "inspect/slot_fields.h"
#include "model/code_page_1252.h"

namespace scenario::inspect {

namespace {

bool numbers_all_zero(const SimSlot& slot) {
  for (const SlotField& field : slot_numbers(slot)) {
    if (field.value != 0) return false;
  }
  return true;
}

// What the slot map uses the slot for; among slots 1 to 80 a slot holding only a name is a
// direction board's text, any other a station.
std::string_view slot_use(int k, const SimSlot& slot) {
  switch (k) {
    case 0:
      return "unused";
    case kProgressiveTreSlot:
    case kProgressiveDueSlot:
    case kProgressiveUnoSlot:
      return "kilometre progressive";
    case kTrainRouteSlot:
      return "train and route";
    case kLineSlot:
      return "line";
    case kTrainSlot:
      return "train";
    default:
      return numbers_all_zero(slot) && !slot.name.empty() ? "board text" : "station";
  }
}

// The meaning of a general slot's field, empty when it has none of its own.
std::string_view field_meaning(int k, std::string_view field) {
  if (k == kProgressiveTreSlot || k == kProgressiveDueSlot || k == kProgressiveUnoSlot) {
    if (field == "zone_start") return "first value";
    if (field == "zone_end") return "second value";
    if (field == "position") return "flag";
  } else if (k == kTrainRouteSlot) {
    if (field == "zone_start") return "braked-mass percentage";
    if (field == "zone_end") return "route length";
    if (field == "position") return "cars";
  } else if (k == kLineSlot) {
    if (field == "zone_start") return "background uno";
    if (field == "zone_end") return "background tre";
    if (field == "position") return "background due";
    if (field == "param7") return "marker";
    if (field == "time_s") return "ST code";
  } else if (k == kTrainSlot) {
    if (field == "zone_start") return "cab-signal stretch start";
    if (field == "zone_end") return "cab-signal stretch end";
    if (field == "position") return "code system";
    if (field == "param7") return "sand";
    if (field == "param10" || field == "param11" || field == "param12") return "clock";
  }
  return {};
}

void text_slot(TextOut& out, int k, const SimSlot& slot) {
  const std::string_view use = slot_use(k, slot);
  out << "slot " << static_cast<std::int64_t>(k) << " (" << use << ")";
  if (!slot.name.empty()) out << " \"" << code_page_1252_to_utf8(slot.name) << "\"";
  const bool every_field = use == "station";
  char separator = ':';
  for (const SlotField& field : slot_numbers(slot)) {
    const std::string_view meaning = field_meaning(k, field.name);
    // Stations show every field; other slots their named fields and whatever is not 0.
    if (!every_field && meaning.empty() && field.value == 0) continue;
    out << separator << ' ' << field.name << ' ' << field.value;
    separator = ',';
    if (!meaning.empty()) {
      out << " (" << meaning << ")";
    } else if (field.name == "time_s") {
      out << " (" << clock_text(slot.time_s) << ")";
    }
  }
  out << '\n';
}

void json_slot(TextOut& out, int k, const SimSlot& slot) {
  out << "{\"slot\":" << static_cast<std::int64_t>(k);
  const auto numbers = slot_numbers(slot);
  for (std::size_t f = 0; f < numbers.size(); ++f) {
    if (f == kFieldsBeforeName) {
      out << ",\"name\":";
      json_name(out, slot.name);
    }
    out << ",\"" << numbers[f].name << "\":" << numbers[f].value;
  }
  out << '}';
}

void csv_slot(TextOut& out, int k, const SimSlot& slot) {
  out << static_cast<std::int64_t>(k);
  const auto numbers = slot_numbers(slot);
  for (std::size_t f = 0; f < numbers.size(); ++f) {
    if (f == kFieldsBeforeName) {
      std::string name = code_page_1252_to_utf8(slot.name);
      out << ",\"";
      for (char c : name) {
        if (c == '"') out << '"';
        out << c;
      }
      out << '"';
    }
    out << ',' << numbers[f].value;
  }
  out << ',' << clock_text(slot.time_s) << '\n';
}

}  // namespace

void dump_table(TextOut& out, DumpFormat format, std::string_view file, const TableFile& table,
                const DumpFilter& filter) {
  switch (format) {
    case DumpFormat::text:
      out << file << ": scenario table, 87 slots, route length " << route_length_of(table)
          << " m\n";
      for (int k = 0; k < kSimSlotCount; ++k) {
        const SimSlot& slot = table.slots[static_cast<std::size_t>(k)];
        if (filter.all || slot_holds_something(slot)) text_slot(out, k, slot);
      }
      return;
    case DumpFormat::json:
      out << "{\"file\":";
      json_string(out, file);
      out << ",\"content\":\"table\",\"slots\":[";
      for (int k = 0; k < kSimSlotCount; ++k) {
        if (k > 0) out << ',';
        json_slot(out, k, table.slots[static_cast<std::size_t>(k)]);
      }
      out << "]}";
      return;
    case DumpFormat::csv:
      out << "slot,type,zone_start,zone_end,position,param4,name,param7,param8,param10,param11,"
             "param12,param9,param13,param6,param5,time_s,time\n";
      for (int k = 0; k < kSimSlotCount; ++k)
        csv_slot(out, k, table.slots[static_cast<std::size_t>(k)]);
      return;
  }
}

}  // namespace scenario::inspect
