#pragma once

#include <cstdint>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>

namespace scenario::inspect {

// Why the bytes of a compiled file do not have the layout they should: the file as the user
// named it, the byte where the reader stopped, and what it found there.
struct LayoutFault {
  std::string file;
  std::uint64_t offset = 0;
  std::string problem;

  // "<file>: byte <offset>: <problem>".
  std::string describe() const;
};

// "1 byte follows", "5 bytes follow": how a reader says that a file goes on after its records.
std::string bytes_follow(std::uint64_t count);

// What a reader returns: the records it decoded, or the fault that stopped it.
template <class T>
class [[nodiscard]] LayoutResult {
 public:
  LayoutResult(T value) : outcome_(std::move(value)) {}            // NOLINT: implicit by design
  LayoutResult(LayoutFault fault) : outcome_(std::move(fault)) {}  // NOLINT: implicit by design

  bool ok() const { return std::holds_alternative<T>(outcome_); }
  explicit operator bool() const { return ok(); }

  const T& value() const& { return std::get<T>(outcome_); }
  T&& value() && { return std::get<T>(std::move(outcome_)); }
  const LayoutFault& fault() const { return std::get<LayoutFault>(outcome_); }

 private:
  std::variant<T, LayoutFault> outcome_;
};

}  // namespace scenario::inspect
