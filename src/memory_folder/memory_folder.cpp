#include "memory_folder/memory_folder.h"

#include <array>
#include <span>
#include <utility>

#include "model/byte_writer.h"
#include "model/code_page_1252.h"

namespace scenario {

namespace {

// Buffer of the writers into memory: small, so that a long file passes through it many times as
// it does through the disk's.
constexpr std::size_t kBufferBytes = 64;

// Collects what a writer drains.
class StringDrain final : public ByteDrain {
 public:
  FileResult<> drain(std::string_view bytes) override {
    text.append(bytes);
    return {};
  }

  std::string text;
};

FileFault fault_of(std::string_view name, std::string reason, bool at_open = false) {
  return FileFault{code_page_1252_to_utf8(name), std::move(reason), at_open};
}

}  // namespace

std::optional<FileFault> MemoryFolder::refused(FolderStep step, std::string_view name) {
  const auto found = refusals_.find(std::pair<FolderStep, std::string>(step, name));
  if (found == refusals_.end()) return std::nullopt;
  Refusal& refusal = found->second;
  if (refusal.times_left) {
    if (*refusal.times_left <= 0) return std::nullopt;
    --*refusal.times_left;
  }
  return fault_of(name, refusal.reason, step == FolderStep::open);
}

FileResult<> MemoryFolder::replace(std::string_view name, const Fill& fill) {
  if (auto fault = refused(FolderStep::replace, name)) return *fault;
  std::array<char, kBufferBytes> buffer{};
  StringDrain drain;
  ByteWriter out(std::span<char>(buffer), drain);
  fill(out);
  if (FileResult<> written = out.finish(); !written) return written;
  put(name, std::move(drain.text));
  return {};
}

FileResult<bool> MemoryFolder::exists(std::string_view name) {
  if (auto fault = refused(FolderStep::look_up, name)) return *fault;
  return files_.contains(name);
}

FileResult<std::string> MemoryFolder::read(std::string_view name) {
  if (auto fault = refused(FolderStep::open, name)) return *fault;
  const auto found = files_.find(name);
  if (found == files_.end()) return fault_of(name, "No such file or directory", true);
  if (auto fault = refused(FolderStep::read, name)) return *fault;
  return found->second;
}

FileResult<> MemoryFolder::remove(std::string_view name) {
  if (auto fault = refused(FolderStep::remove, name)) return *fault;
  if (const auto found = files_.find(name); found != files_.end()) files_.erase(found);
  return {};
}

void MemoryFolder::put(std::string_view name, std::string bytes) {
  files_.insert_or_assign(std::string(name), std::move(bytes));
}

std::optional<std::string> MemoryFolder::file(std::string_view name) const {
  const auto found = files_.find(name);
  if (found == files_.end()) return std::nullopt;
  return found->second;
}

void MemoryFolder::refuse(FolderStep step, std::string_view name, std::string reason,
                          std::optional<int> times) {
  refusals_.insert_or_assign(std::pair<FolderStep, std::string>(step, name),
                             Refusal{std::move(reason), times});
}

}  // namespace scenario
