#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace scenario {

// A fault while the scenario text files are read: a missing file, a read past the end, a field
// that is not a number or does not fit its variable, a table access the data would push out of
// bounds, a text file that cannot be looked up or deleted. Thrown anywhere inside the parse and
// caught in exactly one place, the parse's failure exit, which turns it into error 25.
//
// No path is part of the text: whoever shows the fault knows which file the parse was reading
// (ParseContext::reading) and names it the way its reader knows it.
class ReadFault : public std::runtime_error {
 public:
  ReadFault(const std::string& what, std::int32_t line)
      : std::runtime_error(what), text_(what), line_(line) {}

  // A fault of the file being read as a whole: `action` says what could not be done ("cannot
  // open"), `reason` is the system's reason when it gives one. Such a fault has no line.
  static ReadFault about_file(const std::string& action, std::string reason = {}) {
    ReadFault fault(action, 0);
    fault.about_file_ = true;
    fault.reason_ = std::move(reason);
    return fault;
  }

  // What was wrong, every byte of it: what() ends at the first zero byte, and a field quoted in
  // the text may hold one.
  const std::string& text() const { return text_; }
  // The line of the text file where the offending field began; 0 when there is none.
  std::int32_t line() const { return line_; }
  // True for a fault of the file itself, which is shown followed by the file's path.
  bool about_file() const { return about_file_; }
  // The system's reason for a fault of the file, after its path; empty when it gave none.
  const std::string& reason() const { return reason_; }

 private:
  std::string text_;
  std::int32_t line_;
  bool about_file_ = false;
  std::string reason_;
};

}  // namespace scenario
