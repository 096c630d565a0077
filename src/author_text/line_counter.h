#pragma once

#include <cstddef>
#include <cstdint>

namespace scenario::author {

// Counts lines as the compile's reader does: CR LF, a lone CR and a lone LF each end one.
class LineCounter {
 public:
  explicit LineCounter(std::size_t first_line_start = 0) : start_(first_line_start) {}

  // Moves past character `c`, which ends at offset `end`.
  void pass(char32_t c, std::size_t end) {
    if (c == '\r' || (c == '\n' && !after_cr_)) ++line_;
    if (c == '\r' || c == '\n') start_ = end;
    after_cr_ = c == '\r';
  }

  // The line now being read, from 1, and the offset where it starts.
  std::int32_t line() const { return line_; }
  std::size_t line_start() const { return start_; }

 private:
  std::int32_t line_ = 1;
  std::size_t start_ = 0;
  bool after_cr_ = false;
};

}  // namespace scenario::author
