#pragma once

#include <filesystem>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>

namespace scenario {

// A file operation the system refused, with the file it was about and the system's own reason.
struct FileFault {
  std::filesystem::path path;
  std::string reason;
  // Reading a file whole is opening it, then reading it: true when the open was refused (the
  // file is missing or may not be opened), false when a read after it failed, or for any other
  // operation.
  bool at_open = false;

  // "<path>: <reason>", the path as UTF-8 text.
  std::string describe() const;
};

// The one way a path becomes text for a message: UTF-8 on every system.
std::string path_text(const std::filesystem::path& path);

// What every file operation returns: its value, or the fault that stopped it. FileResult<> is
// the result of an operation that has no value of its own.
template <class T = std::monostate>
class [[nodiscard]] FileResult {
 public:
  FileResult() requires std::is_same_v<T, std::monostate> : outcome_(T{}) {}
  FileResult(T value) : outcome_(std::move(value)) {}          // NOLINT: implicit by design
  FileResult(FileFault fault) : outcome_(std::move(fault)) {}  // NOLINT: implicit by design

  bool ok() const { return std::holds_alternative<T>(outcome_); }
  explicit operator bool() const { return ok(); }

  const T& value() const& { return std::get<T>(outcome_); }
  T&& value() && { return std::get<T>(std::move(outcome_)); }
  const FileFault& fault() const { return std::get<FileFault>(outcome_); }

 private:
  std::variant<T, FileFault> outcome_;
};

}  // namespace scenario
