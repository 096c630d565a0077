#include <algorithm>
#include <limits>
#include <memory>
#include <string>

#include "platform/file_system.h"
#include "platform/win32_text.h"

namespace scenario {

namespace {

FileFault fault(const std::filesystem::path& path, DWORD error) {
  return FileFault{path, system_reason(error)};
}

// Creates a fresh temporary file beside `target`, so that the final rename never crosses volumes.
HANDLE create_temporary(const std::filesystem::path& target, std::filesystem::path& temporary) {
  const std::wstring stem =
      L"." + target.filename().wstring() + L"." + std::to_wstring(GetCurrentProcessId()) + L".";
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = target.parent_path() / (stem + std::to_wstring(attempt) + L".tmp");
    const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  SetLastError(ERROR_FILE_EXISTS);
  return INVALID_HANDLE_VALUE;
}

// Writes each full buffer to the temporary file; a fault names the target, the file the
// caller asked for.
class FileDrain final : public ByteDrain {
 public:
  FileDrain(HANDLE file, const std::filesystem::path& target) : file_(file), target_(target) {}

  FileResult<> drain(std::string_view bytes) override {
    constexpr std::size_t kLargestWrite = std::numeric_limits<DWORD>::max() / 2;
    while (!bytes.empty()) {
      const DWORD chunk = static_cast<DWORD>(std::min(bytes.size(), kLargestWrite));
      DWORD written = 0;
      if (!WriteFile(file_, bytes.data(), chunk, &written, nullptr)) {
        return fault(target_, GetLastError());
      }
      if (written == 0) return fault(target_, ERROR_WRITE_FAULT);  // no progress, no error
      bytes.remove_prefix(written);
    }
    return {};
  }

 private:
  HANDLE file_;
  const std::filesystem::path& target_;
};

// Writes, flushes and closes the temporary file; the fault of the first step that failed.
FileResult<> write_and_close(HANDLE file, const std::filesystem::path& target,
                             const FileSink::Fill& fill, Flush flush) {
  const auto buffer = std::make_unique_for_overwrite<char[]>(kWriteBufferBytes);
  FileDrain drain(file, target);
  ByteWriter out(std::span<char>(buffer.get(), kWriteBufferBytes), drain);
  try {
    fill(out);
  } catch (...) {
    CloseHandle(file);
    throw;
  }
  FileResult<> written = out.finish();
  if (written && flush == Flush::to_disk && !FlushFileBuffers(file)) {
    written = fault(target, GetLastError());
  }
  if (!CloseHandle(file) && written) written = fault(target, GetLastError());
  return written;
}

}  // namespace

std::filesystem::path path_in(const std::filesystem::path& folder, std::string_view name) {
  return folder / widen(name);
}

FileResult<> replace_file(const std::filesystem::path& target, const FileSink::Fill& fill,
                          Flush flush) {
  std::filesystem::path temporary;
  const HANDLE file = create_temporary(target, temporary);
  if (file == INVALID_HANDLE_VALUE) return fault(target, GetLastError());

  FileResult<> written;
  try {
    written = write_and_close(file, target, fill, flush);
  } catch (...) {
    DeleteFileW(temporary.c_str());
    throw;
  }
  const DWORD move =
      MOVEFILE_REPLACE_EXISTING | (flush == Flush::to_disk ? MOVEFILE_WRITE_THROUGH : 0);
  if (written && !MoveFileExW(temporary.c_str(), target.c_str(), move)) {
    written = fault(target, GetLastError());
  }
  if (!written) DeleteFileW(temporary.c_str());
  return written;
}

}  // namespace scenario
