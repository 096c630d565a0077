#include "author_text/saved_columns.h"

namespace scenario::author {

void SavedColumns::add(char32_t c, std::uint8_t saved_size) {
  sizes_.push_back(saved_size);
  lines_.pass(c, sizes_.size());
  if (static_cast<std::size_t>(lines_.line()) > line_starts_.size()) {
    line_starts_.push_back(lines_.line_start());
  } else {
    line_starts_.back() = lines_.line_start();
  }
}

std::int32_t SavedColumns::saved_column(std::int32_t line, std::int32_t column) const {
  if (sizes_.empty() || line < 1 || column < 1 ||
      static_cast<std::size_t>(line) > line_starts_.size()) {
    return column;
  }
  const std::size_t start = line_starts_[static_cast<std::size_t>(line) - 1];
  const std::size_t target = start + static_cast<std::size_t>(column) - 1;
  std::size_t saved = 0;
  std::size_t at = start;
  for (; at < target && at < sizes_.size(); ++at) saved += sizes_[at];
  saved += target - at;
  return static_cast<std::int32_t>(saved + 1);
}

}  // namespace scenario::author
