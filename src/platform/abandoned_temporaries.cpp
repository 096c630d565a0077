#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/file_system.h"

namespace scenario {

namespace {

bool all_digits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Whether `name` is the form replace_file gives the temporary file of `target_name`:
// "." + target_name + "." + process number + "." + attempt + ".tmp".
bool is_temporary_of(std::string_view name, std::string_view target_name) {
  constexpr std::string_view kTail = ".tmp";
  const std::size_t head = target_name.size() + 2;  // the dots before and after the name
  if (name.size() <= head + kTail.size() || name.front() != '.' ||
      name.substr(1, target_name.size()) != target_name || name[head - 1] != '.' ||
      !name.ends_with(kTail)) {
    return false;
  }
  const std::string_view numbers = name.substr(head, name.size() - head - kTail.size());
  const std::size_t dot = numbers.find('.');
  return dot != std::string_view::npos && all_digits(numbers.substr(0, dot)) &&
         all_digits(numbers.substr(dot + 1));
}

}  // namespace

void remove_abandoned_temporaries(const std::filesystem::path& target) {
  std::error_code error;
  const std::filesystem::path target_name = target.filename();
  std::filesystem::directory_iterator entries(target.parent_path(), error);
  if (error) return;
  for (; entries != std::filesystem::directory_iterator(); entries.increment(error)) {
    if (error) return;
    const std::filesystem::path name = entries->path().filename();
    if (is_temporary_of(name.string(), target_name.string()) && entries->is_regular_file(error)) {
      std::filesystem::remove(entries->path(), error);
    }
  }
}

}  // namespace scenario
