#include "svg_parts.h"

#include "markup.h"

namespace scenario::report {

void append_number_attribute(std::string& out, std::string_view name, double value, int decimals) {
  out += ' ';
  out += name;
  out += "=\"";
  append_fixed(out, value, decimals);
  out += '"';
}

void append_integer_attribute(std::string& out, std::string_view name, std::int64_t value) {
  out += ' ';
  out += name;
  out += "=\"";
  out += std::to_string(value);
  out += '"';
}

void append_text_attribute(std::string& out, std::string_view name, std::string_view text) {
  out += ' ';
  out += name;
  out += "=\"";
  append_escaped(out, text);
  out += '"';
}

void append_title(std::string& out, std::string_view text) {
  out += "<title>";
  append_escaped(out, text);
  out += "</title>";
}

std::string missing_picture_svg(std::string_view cls, std::string_view what,
                                std::string_view reason) {
  std::string out = "<svg xmlns=\"http://www.w3.org/2000/svg\" role=\"img\"";
  append_text_attribute(out, "class", std::string(cls) + " missing");
  out += " viewBox=\"0 0 1000 80\" width=\"1000\" height=\"80\"";
  append_text_attribute(out, "data-reason", reason);
  out += '>';
  append_title(out, "No " + std::string(what));
  out +=
      "<rect x=\"0\" y=\"0\" width=\"100%\" height=\"100%\" fill=\"#f4f4f4\"/>"
      "<text x=\"20\" y=\"45\" font-family=\"sans-serif\" font-size=\"14\" fill=\"#555\">No ";
  out += what;
  out += ": ";
  append_escaped_mixed(out, reason);
  out += "</text></svg>";
  return out;
}

std::string distance_text(double metres) {
  if (metres < 1000 && metres > -1000) return fixed(metres, 0) + " m";
  std::string km = fixed(metres / 1000, 3);
  while (km.back() == '0') km.pop_back();
  if (km.back() == '.') km.pop_back();
  return km + " km";
}

}  // namespace scenario::report
