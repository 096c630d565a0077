#include <algorithm>
#include <cmath>
#include <string>

#include "inspect/dump.h"
#include "inspect/json_text.h"

namespace scenario::inspect {

namespace {

std::string_view tag_name(std::uint16_t tag) {
  switch (tag) {
    case kWholeTag:
      return "int16";
    case kRealTag:
      return "real";
    default:
      return "empty";
  }
}

void text_value(TextOut& out, const ProfileElement& e) {
  if (e.tag == kWholeTag) {
    out << e.whole;
  } else if (e.tag == kRealTag) {
    out.real(e.real());
  } else {
    out << '-';
  }
}

// A real that JSON has no number for keeps its eight bytes as hex digits instead.
void json_element(TextOut& out, const ProfileElement& e) {
  out << "{\"tag\":" << e.tag;
  if (e.tag == kWholeTag) {
    out << ",\"value\":" << e.whole;
  } else if (e.tag == kRealTag && std::isfinite(e.real())) {
    out << ",\"value\":";
    json_real(out, e.real());
  } else if (e.tag == kRealTag) {
    static constexpr char kHex[] = "0123456789abcdef";
    out << ",\"value\":null,\"bits\":\"";
    for (int shift = 60; shift >= 0; shift -= 4) out << kHex[(e.real_bits >> shift) & 0xF];
    out << '"';
  }
  out << '}';
}

void csv_value(TextOut& out, const ProfileElement& e) {
  out << e.tag << ',';
  if (e.tag != kEmptyTag) text_value(out, e);
}

}  // namespace

void dump_profile(TextOut& out, DumpFormat format, std::string_view file,
                  const ProfileFile& profile, std::optional<std::int32_t> route_length,
                  const DumpFilter& filter) {
  // Row m is metre m of the line, so the range in metres is a range of rows.
  const std::int64_t first = std::max<std::int64_t>(0, filter.from_metres.value_or(0));
  const std::int64_t last =
      std::min<std::int64_t>(profile.last_row, filter.to_metres.value_or(profile.last_row));

  switch (format) {
    case DumpFormat::text:
      out << file << ": line profile, "
          << (profile.rows() == 0 ? std::string("no rows")
                                  : "rows 0 to " + std::to_string(profile.last_row));
      if (route_length) out << " (route length " << *route_length << " m)";
      out << "\nrow x y tag\n";
      for (std::int64_t row = first; row <= last; ++row) {
        const ProfileElement& x = profile.at(row, 0);
        const ProfileElement& y = profile.at(row, 1);
        out << row << ' ';
        text_value(out, x);
        out << ' ';
        text_value(out, y);
        out << ' ' << tag_name(x.tag);
        if (y.tag != x.tag) out << '/' << tag_name(y.tag);
        out << '\n';
      }
      return;
    case DumpFormat::json:
      out << "{\"file\":";
      json_string(out, file);
      out << ",\"content\":\"profile\",\"route_length\":";
      if (route_length) {
        out << *route_length;
      } else {
        out << "null";
      }
      out << ",\"last_row\":" << profile.last_row << ",\"first_row\":" << first;
      for (int column = 0; column < 2; ++column) {
        out << (column == 0 ? ",\"x\":[" : "],\"y\":[");
        for (std::int64_t row = first; row <= last; ++row) {
          if (row > first) out << ',';
          json_element(out, profile.at(row, column));
        }
      }
      out << "]}";
      return;
    case DumpFormat::csv:
      out << "row,x_tag,x,y_tag,y\n";
      for (std::int64_t row = first; row <= last; ++row) {
        out << row << ',';
        csv_value(out, profile.at(row, 0));
        out << ',';
        csv_value(out, profile.at(row, 1));
        out << '\n';
      }
      return;
  }
}

}  // namespace scenario::inspect
