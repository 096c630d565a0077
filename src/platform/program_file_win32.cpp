#include <string>

#include "platform/program_file.h"
#include "platform/win32_text.h"

namespace scenario {

std::filesystem::path running_program_file() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    buffer.resize(buffer.size() * 2);  // truncated: a long path
  }
}

}  // namespace scenario
