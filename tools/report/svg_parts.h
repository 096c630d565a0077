#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace scenario::report {

// Small pieces of SVG and HTML markup shared by the pictures and the page. Every `text` is
// single-byte text and is escaped (markup.h); names are the writer's own and are not.

// ` name="value"` with a number written to `decimals` digits after the point.
void append_number_attribute(std::string& out, std::string_view name, double value,
                             int decimals = 1);
// ` name="value"` with an integer.
void append_integer_attribute(std::string& out, std::string_view name, std::int64_t value);
// ` name="text"`.
void append_text_attribute(std::string& out, std::string_view name, std::string_view text);
// `<title>text</title>`.
void append_title(std::string& out, std::string_view text);

// A picture that is missing: an SVG element of the given class (after "missing") saying
// "No <what>: <reason>", with the reason also in data-reason.
std::string missing_picture_svg(std::string_view cls, std::string_view what,
                                std::string_view reason);

// "1 km", "2.5 km", "500 m": a distance in metres as people read it, kilometres from 1000 m on.
std::string distance_text(double metres);

}  // namespace scenario::report
