#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "check/diagnostic.h"
#include "model/text_file.h"

namespace scenario::check {

// What the check finds in a scenario's text beyond the failure the pack records: text the pack
// reads differently from how it looks (warnings) and things it does silently (notes). The
// numbers are the stable codes W01, W02, ...; never renumber one.
enum class Finding : std::uint8_t {
  unknown_keyword = 1,
  general_keyword_case = 2,
  record_out_of_its_part = 3,
  record_across_lines = 4,
  fields_left_over = 5,
  text_cut_at_comma = 6,
  comment_with_comma = 7,
  comment_read_as_keyword = 8,
  stretch_before_earlier = 9,
  curve_before_earlier = 10,
  train_without_data = 11,
  record_after_end = 12,
  last_field_keyword = 13,
  mountain_type_replaced = 14,
  slowdown_without_warning = 15,
  station_without_stop = 16,
  signal_marks_dropped = 17,
  speed_rounded = 18,
  text_converted = 19,
  source_named_as_pack_text = 20,
};

// A small text that shows a code: one file of a scenario whose other file is the plain one
// (a route 5000 m long, or a train file holding "[generale]" and "[fine]"). `file` is none
// when the example can only be told in words.
struct Example {
  TextFile file = TextFile::none;
  std::string_view text;
};

// What a code means and how to mend it, for `scenario explain` and the README.
struct Explanation {
  Level level = Level::warning;
  std::string_view title;    // one line
  std::string_view meaning;  // what the pack does with such text
  Example example;
  std::string_view fix;
};

// Every finding of the check, in the order of their codes; a code may be missing in between
// (a code is never reused).
std::span<const Finding> all_findings();

// The explanation of a finding; every Finding has one.
const Explanation& explanation(Finding finding);

// "W06" for text_cut_at_comma.
std::string finding_code(Finding finding);

// The finding a code such as "W06" or "w6" names; nothing for any other text.
std::optional<Finding> finding_named(std::string_view code);

}  // namespace scenario::check
