#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace scenario {

// A fault while the scenario text files are read: a missing file, a read past the end, a field
// that is not a number or does not fit its variable, a table access the data would push out of
// bounds. Thrown anywhere inside the parse and caught in exactly one place, the parse's failure
// exit, which turns it into error 25.
class ReadFault : public std::runtime_error {
 public:
  ReadFault(const std::string& what, std::int32_t line) : std::runtime_error(what), line_(line) {}

  // The line of the text file where the offending field began; 0 when there is none.
  std::int32_t line() const { return line_; }

 private:
  std::int32_t line_;
};

}  // namespace scenario
