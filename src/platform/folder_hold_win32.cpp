#include <algorithm>
#include <cstdint>
#include <string>

#include "platform/folder_hold.h"
#include "platform/win32_text.h"

namespace scenario {

// The folder's mutex, owned by this thread. Releasing and closing it lets go; so does the end of
// the process, after which the next waiter is told the mutex was abandoned.
struct FolderHold::Lock {
  explicit Lock(HANDLE owned) : mutex(owned) {}
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;
  ~Lock() {
    ReleaseMutex(mutex);
    CloseHandle(mutex);
  }
  HANDLE mutex;
};

namespace {

// The folder's full path with short (8.3) names made long; a path the system cannot resolve
// keeps the spelling it was given.
std::wstring full_path(const std::filesystem::path& folder) {
  const std::wstring given = folder.wstring();
  DWORD needed = GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return given;
  std::wstring full(needed, L'\0');
  DWORD length = GetFullPathNameW(given.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return given;
  full.resize(length);

  needed = GetLongPathNameW(full.c_str(), nullptr, 0);
  if (needed == 0) return full;
  std::wstring long_form(needed, L'\0');
  length = GetLongPathNameW(full.c_str(), long_form.data(), needed);
  if (length == 0 || length >= needed) return full;
  long_form.resize(length);
  return long_form;
}

// One spelling for every way of writing one folder: back slashes, no long-path prefix, no
// trailing separator, upper case (letter case does not tell folders apart on Windows).
std::wstring folder_key(std::wstring path) {
  std::replace(path.begin(), path.end(), L'/', L'\\');
  if (path.starts_with(L"\\\\?\\UNC\\")) {
    path = L"\\\\" + path.substr(8);
  } else if (path.starts_with(L"\\\\?\\")) {
    path = path.substr(4);
  }
  while (!path.empty() && path.back() == L'\\') path.pop_back();
  if (path.empty()) return path;
  const int size = static_cast<int>(path.size());
  std::wstring upper(path.size(), L'\0');
  if (LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, path.data(), size, upper.data(), size) ==
      size) {
    path = std::move(upper);
  }
  return path;
}

// A mutex name cannot hold a back slash after its namespace and is limited in length, so the
// key goes in as a 64-bit FNV-1a hash. Two folders sharing a hash only wait for each other.
std::wstring mutex_name(const std::filesystem::path& folder) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (const wchar_t unit : folder_key(full_path(folder))) {
    hash ^= static_cast<std::uint16_t>(unit);
    hash *= 1099511628211ULL;
  }
  constexpr wchar_t kDigits[] = L"0123456789abcdef";
  std::wstring name = L"Local\\ScenarioPackFolder.";
  for (int shift = 60; shift >= 0; shift -= 4) name += kDigits[(hash >> shift) & 0xF];
  return name;
}

}  // namespace

FolderHold::FolderHold() = default;
FolderHold::FolderHold(State state, std::unique_ptr<Lock> lock)
    : state_(state), lock_(std::move(lock)) {}
FolderHold::FolderHold(FolderHold&& other) noexcept = default;
FolderHold& FolderHold::operator=(FolderHold&& other) noexcept = default;
FolderHold::~FolderHold() = default;

FolderHold FolderHold::take(const std::filesystem::path& folder,
                            std::chrono::milliseconds patience) {
  const HANDLE mutex = CreateMutexW(nullptr, FALSE, mutex_name(folder).c_str());
  if (mutex == nullptr) return FolderHold(State::unavailable, nullptr);
  const auto wait = std::clamp<std::chrono::milliseconds::rep>(patience.count(), 0, INFINITE - 1);
  switch (WaitForSingleObject(mutex, static_cast<DWORD>(wait))) {
    case WAIT_OBJECT_0:
    case WAIT_ABANDONED:  // its holder ended without letting go: the folder is free
      return FolderHold(State::held, std::make_unique<Lock>(mutex));
    case WAIT_TIMEOUT:
      CloseHandle(mutex);
      return FolderHold(State::busy, nullptr);
    default:
      CloseHandle(mutex);
      return FolderHold(State::unavailable, nullptr);
  }
}

}  // namespace scenario
