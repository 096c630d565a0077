#include "inspect/diff_report.h"

#include <cmath>
#include <string>

#include "inspect/json_text.h"
#include "inspect/kind_names.h"
#include "model/code_page_1252.h"

namespace scenario::inspect {

namespace {

constexpr std::int64_t kCellMetres = 50;

std::string_view content_name(Content content) {
  switch (content) {
    case Content::table:
      return "table";
    case Content::cells:
      return "cells";
    case Content::profile:
      return "profile";
  }
  return "";
}

std::string_view record_word(Content content, bool plural) {
  switch (content) {
    case Content::table:
      return plural ? "slots" : "slot";
    case Content::cells:
      return plural ? "cells" : "cell";
    case Content::profile:
      return plural ? "rows" : "row";
  }
  return "";
}

std::string kind_text(std::int64_t code) {
  const auto name = kind_name(static_cast<std::uint8_t>(code));
  return name ? std::string(*name) : "kind " + std::to_string(code);
}

void text_field(TextOut& out, const FieldChange& change) {
  out << change.field << ' ';
  if (change.text) {
    out << '"' << code_page_1252_to_utf8(change.text->first) << "\" -> \""
        << code_page_1252_to_utf8(change.text->second) << '"';
  } else if (change.field == "kind") {
    out << kind_text(change.a) << " -> " << kind_text(change.b);
  } else {
    out << change.a << " -> " << change.b;
  }
}

void text_element(TextOut& out, const ProfileElement& e) {
  switch (e.tag) {
    case kWholeTag:
      out << e.whole << " (int16)";
      break;
    case kRealTag:
      out.real(e.real());
      out << " (real)";
      break;
    default:
      out << "empty";
  }
}

void text_file(TextOut& out, const FileDiff& file) {
  if (file.identical() || file.one_sided()) return;
  out << file.a_shown << " -> " << file.b_shown << '\n';
  for (const RecordChange& record : file.records) {
    out << "  " << record_word(file.content, false) << ' ' << record.index;
    if (file.content == Content::cells) out << " (" << record.index * kCellMetres << " m)";
    out << ": ";
    for (std::size_t f = 0; f < record.fields.size(); ++f) {
      if (f > 0) out << "; ";
      text_field(out, record.fields[f]);
    }
    out << '\n';
  }
  for (const RowRun& run : file.runs) {
    const std::int64_t count = run.last - run.first + 1;
    out << "  ";
    if (count == 1) {
      out << "row " << run.first;
    } else {
      out << "rows " << run.first << " to " << run.last << " (" << count << " rows), first";
    }
    out << ": ";
    for (std::size_t c = 0; c < run.first_row.size(); ++c) {
      const ElementChange& change = run.first_row[c];
      if (c > 0) out << "; ";
      out << (change.column == 0 ? "x " : "y ");
      text_element(out, change.a);
      out << " -> ";
      text_element(out, change.b);
    }
    out << '\n';
  }
  if (file.extra) {
    const bool one = file.extra->first == file.extra->last;
    out << "  " << record_word(file.content, !one) << ' ' << file.extra->first;
    if (!one) out << " to " << file.extra->last;
    out << " only in " << (file.extra->in_b ? "B" : "A") << '\n';
  }
}

void text_count(TextOut& out, const FileDiff& file) {
  if (file.b_shown.empty()) {
    out << file.a_shown << ": only in A\n";
    return;
  }
  if (file.a_shown.empty()) {
    out << file.b_shown << ": only in B\n";
    return;
  }
  out << file.a_shown << ": ";
  if (file.differing == 0) {
    out << (file.extra ? "no common record differs" : "identical");
  } else {
    out << file.differing << ' ' << record_word(file.content, file.differing != 1)
        << (file.differing == 1 ? " differs" : " differ");
  }
  if (file.extra) {
    const std::int64_t extra = file.extra->last - file.extra->first + 1;
    out << ", " << extra << ' ' << record_word(file.content, extra != 1) << " only in "
        << (file.extra->in_b ? "B" : "A");
  }
  out << '\n';
}

void json_shown(TextOut& out, const std::string& shown) {
  if (shown.empty()) {
    out << "null";
  } else {
    json_string(out, shown);
  }
}

void json_element(TextOut& out, const ProfileElement& e) {
  out << "{\"tag\":" << e.tag;
  if (e.tag == kWholeTag) out << ",\"value\":" << e.whole;
  if (e.tag == kRealTag) {
    out << ",\"value\":";
    if (std::isfinite(e.real())) {
      json_real(out, e.real());
    } else {
      out << "null";
    }
  }
  out << '}';
}

void json_file(TextOut& out, const FileDiff& file) {
  out << "{\"content\":\"" << content_name(file.content) << "\",\"a\":";
  json_shown(out, file.a_shown);
  out << ",\"b\":";
  json_shown(out, file.b_shown);
  out << ",\"differing\":" << file.differing;
  if (file.content == Content::profile) {
    out << ",\"runs\":[";
    for (std::size_t r = 0; r < file.runs.size(); ++r) {
      const RowRun& run = file.runs[r];
      if (r > 0) out << ',';
      out << "{\"first\":" << run.first << ",\"last\":" << run.last << ",\"first_row\":[";
      for (std::size_t c = 0; c < run.first_row.size(); ++c) {
        if (c > 0) out << ',';
        out << "{\"column\":\"" << (run.first_row[c].column == 0 ? "x" : "y") << "\",\"a\":";
        json_element(out, run.first_row[c].a);
        out << ",\"b\":";
        json_element(out, run.first_row[c].b);
        out << '}';
      }
      out << "]}";
    }
    out << ']';
  } else {
    out << ",\"records\":[";
    const char* key = file.content == Content::table ? "slot" : "cell";
    for (std::size_t r = 0; r < file.records.size(); ++r) {
      const RecordChange& record = file.records[r];
      if (r > 0) out << ',';
      out << "{\"" << key << "\":" << record.index << ",\"changes\":[";
      for (std::size_t f = 0; f < record.fields.size(); ++f) {
        const FieldChange& change = record.fields[f];
        if (f > 0) out << ',';
        out << "{\"field\":\"" << change.field << "\",\"a\":";
        if (change.text) {
          json_name(out, change.text->first);
          out << ",\"b\":";
          json_name(out, change.text->second);
        } else {
          out << change.a << ",\"b\":" << change.b;
        }
        out << '}';
      }
      out << "]}";
    }
    out << ']';
  }
  out << ",\"only_in\":";
  if (file.extra) {
    out << "{\"side\":\"" << (file.extra->in_b ? "b" : "a") << "\",\"first\":" << file.extra->first
        << ",\"last\":" << file.extra->last << '}';
  } else {
    out << "null";
  }
  out << '}';
}

}  // namespace

void diff_text(TextOut& out, const SetDiff& diff) {
  if (diff.route_length) {
    out << "route length " << diff.route_length->first << " -> " << diff.route_length->second
        << " m\n";
  }
  for (const FileDiff& file : diff.files) text_file(out, file);
  for (const FileDiff& file : diff.files) text_count(out, file);
}

void diff_json(TextOut& out, const SetDiff& diff) {
  out << "{\"identical\":" << (diff.identical() ? "true" : "false") << ",\"route_length\":";
  if (diff.route_length) {
    out << "{\"a\":" << diff.route_length->first << ",\"b\":" << diff.route_length->second << '}';
  } else {
    out << "null";
  }
  out << ",\"files\":[";
  for (std::size_t f = 0; f < diff.files.size(); ++f) {
    if (f > 0) out << ',';
    json_file(out, diff.files[f]);
  }
  out << "]}\n";
}

}  // namespace scenario::inspect
