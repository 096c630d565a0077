#pragma once

#ifndef NOMINMAX
#define NOMINMAX  // std::min and std::max, not the macros
#endif
#include <windows.h>

#include <string>
#include <string_view>

namespace scenario {

// The scenario's names and texts are single-byte characters of the Western European code page,
// whatever code page the machine running the pack is set to.
inline constexpr UINT kSingleByteCodePage = 1252;

// Single-byte text to UTF-16 for the system's wide functions. Every byte maps to exactly one
// UTF-16 unit in this code page.
inline std::wstring widen(std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  std::wstring wide(text.size(), L'\0');
  const int written =
      MultiByteToWideChar(kSingleByteCodePage, 0, text.data(), size, wide.data(), size);
  wide.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  return wide;
}

// UTF-8 text (paths in messages) to UTF-16; a byte that is not UTF-8 becomes U+FFFD.
inline std::wstring from_utf8(std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int needed = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
  if (needed <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(needed), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), needed);
  return wide;
}

// UTF-16 back to single-byte text, for messages; characters outside the code page become '?'.
inline std::string narrow(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int needed =
      WideCharToMultiByte(kSingleByteCodePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return {};
  std::string text(static_cast<std::size_t>(needed), '\0');
  WideCharToMultiByte(kSingleByteCodePage, 0, wide.data(), size, text.data(), needed, nullptr,
                      nullptr);
  return text;
}

// The system's own wording for an error number, without the line break it ends with, and the
// number itself.
inline std::string system_reason(DWORD error) {
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

}  // namespace scenario
