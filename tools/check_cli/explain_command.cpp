#include "check_cli/explain_command.h"

#include <charconv>
#include <cstdint>

#include "check/failure_explanations.h"
#include "check/finding.h"

namespace scenario::tool {

namespace {

constexpr std::size_t kWidth = 78;

// `text` broken into lines of at most kWidth characters at blanks, each line indented.
std::string wrapped(std::string_view text, std::string_view indent) {
  std::string result;
  std::string line(indent);
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find(' ', at);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view word = text.substr(at, end - at);
    if (line.size() > indent.size() && line.size() + 1 + word.size() > kWidth) {
      result += line + "\n";
      line = std::string(indent);
    }
    if (line.size() > indent.size()) line += ' ';
    line += word;
    at = end + 1;
  }
  return result + line + "\n";
}

std::string shown(const check::Explanation& e, const std::string& heading) {
  std::string text = heading + ": " + std::string(e.title) + "\n\n";
  text += wrapped(e.meaning, "  ") + "\n";
  if (e.example.file == TextFile::none) {
    text += "Example:\n" + wrapped(e.example.text, "    ");
  } else {
    text += std::string("Example, in a ") +
            (e.example.file == TextFile::route ? "route" : "train") + " file:\n";
    std::string_view rest = e.example.text;
    while (!rest.empty()) {
      const std::size_t end = rest.find('\n');
      text += "    " + std::string(rest.substr(0, end)) + "\n";
      rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
  }
  return text + "\nFix:\n" + wrapped(e.fix, "  ");
}

}  // namespace

std::optional<std::string> explain_text(std::string_view code) {
  if (const auto finding = check::finding_named(code)) {
    const check::Explanation& e = check::explanation(*finding);
    const std::string level = e.level == check::Level::note ? "note" : "warning";
    return shown(e, check::finding_code(*finding) + " (" + level + ")");
  }
  std::int32_t number = 0;
  const auto [end, error] = std::from_chars(code.data(), code.data() + code.size(), number);
  if (error != std::errc() || end != code.data() + code.size()) return std::nullopt;
  // Only the numbers of the system's codes have an explanation.
  const auto e = check::failure_explanation(static_cast<FailureCode>(number));
  if (!e) return std::nullopt;
  return shown(*e, "error " + std::to_string(number));
}

}  // namespace scenario::tool
