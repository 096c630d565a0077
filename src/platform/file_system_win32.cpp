#include <algorithm>
#include <limits>
#include <string>

#include "platform/file_system.h"
#include "platform/win32_text.h"

namespace scenario {

namespace {

// The system's own wording for an error number, without the line break it ends with.
std::string system_reason(DWORD error) {
  char* buffer = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  std::string reason = length > 0 && buffer != nullptr ? std::string(buffer, length) : "";
  LocalFree(buffer);
  while (!reason.empty() && (reason.back() == '\r' || reason.back() == '\n' ||
                             reason.back() == ' ' || reason.back() == '.')) {
    reason.pop_back();
  }
  if (reason.empty()) reason = "system error";
  return reason + " (error " + std::to_string(error) + ")";
}

std::optional<FileFault> fault(const std::filesystem::path& path, DWORD error) {
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

bool write_all(HANDLE file, std::string_view bytes) {
  constexpr std::size_t kLargestWrite = std::numeric_limits<DWORD>::max() / 2;
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min(bytes.size(), kLargestWrite));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) return false;
    if (written == 0) {  // no progress and no error: give up rather than spin
      SetLastError(ERROR_WRITE_FAULT);
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}

}  // namespace

std::filesystem::path path_in(const std::filesystem::path& folder, std::string_view name) {
  return folder / widen(name);
}

std::optional<FileFault> replace_file(const std::filesystem::path& target, std::string_view bytes) {
  std::filesystem::path temporary;
  const HANDLE file = create_temporary(target, temporary);
  if (file == INVALID_HANDLE_VALUE) return fault(target, GetLastError());

  const bool written = write_all(file, bytes) && FlushFileBuffers(file);
  const DWORD write_error = GetLastError();
  const bool closed = CloseHandle(file);
  if (!written || !closed) {
    const DWORD error = written ? GetLastError() : write_error;
    DeleteFileW(temporary.c_str());
    return fault(target, error);
  }
  if (!MoveFileExW(temporary.c_str(), target.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = GetLastError();
    DeleteFileW(temporary.c_str());
    return fault(target, error);
  }
  return std::nullopt;
}

}  // namespace scenario
