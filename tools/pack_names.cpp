#include "pack_names.h"

#include <cctype>
#include <optional>

#include "model/code_page_1252.h"

namespace scenario::tool {

namespace {

constexpr std::string_view kForbidden = "<>:\"/\\|?*";
constexpr std::size_t kLongestFileName = 255;
constexpr std::string_view kLongestSuffix = "_rallentamenti.txt";

// Device names, including the superscript digits of code page 1252 that Windows also reserves.
bool device_name(std::string_view stem) {
  std::string upper(stem);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (const std::string_view device : {"CON", "PRN", "AUX", "NUL"}) {
    if (upper == device) return true;
  }
  if (upper.size() != 4 || (upper.substr(0, 3) != "COM" && upper.substr(0, 3) != "LPT")) {
    return false;
  }
  const char digit = upper[3];
  return (digit >= '1' && digit <= '9') || digit == '\xB9' || digit == '\xB2' || digit == '\xB3';
}

// What is wrong with one name (`what` is "the line name" or "the train number"), held as code
// page 1252 text.
std::optional<std::string> problem(std::string_view what, std::string_view name) {
  const std::string label(what);
  if (name.empty()) return label + " is empty";
  for (const char c : name) {
    if (static_cast<unsigned char>(c) < 32) return label + " holds a control character";
    if (kForbidden.find(c) != std::string_view::npos) {
      return label + " holds '" + std::string(1, c) +
             "', which a file name cannot hold (none of < > : \" / \\ | ? *)";
    }
  }
  if (name.back() == '.' || name.back() == ' ') {
    return label + " ends in a dot or a blank, which Windows drops from file names";
  }
  std::string_view stem = name.substr(0, name.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
  if (device_name(stem)) return label + " is a name Windows keeps for a device";
  return std::nullopt;
}

}  // namespace

std::variant<PackIdentity, NameRefusal> pack_identity(std::string_view line_name,
                                                      std::string_view train_number) {
  PackIdentity identity;
  const struct {
    std::string_view what;
    std::string_view given;
    std::string& held;
  } names[] = {{"the line name", line_name, identity.line_name},
               {"the train number", train_number, identity.train_number}};
  for (const auto& name : names) {
    auto held = utf8_to_code_page_1252(name.given);
    if (!held) {
      return NameRefusal{std::string(name.what) +
                         " holds a character that the pack's code page (1252) cannot hold"};
    }
    if (auto wrong = problem(name.what, *held)) return NameRefusal{*wrong};
    name.held = std::move(*held);
  }
  const std::size_t longest =
      identity.line_name.size() + 1 + identity.train_number.size() + kLongestSuffix.size();
  if (longest > kLongestFileName) {
    return NameRefusal{
        "the line name and the train number are too long: the pack's longest file "
        "name would have " +
        std::to_string(longest) + " characters, more than " + std::to_string(kLongestFileName)};
  }
  return identity;
}

}  // namespace scenario::tool
