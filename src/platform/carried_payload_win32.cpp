#include <cstdint>
#include <string>

#include "platform/carried_payload.h"
#include "platform/program_file.h"
#include "platform/win32_text.h"

namespace scenario {

namespace {

std::filesystem::path self_path() {
  std::filesystem::path self = running_program_file();
  return self.empty() ? std::filesystem::path(L"the pack") : self;
}

// True when [data, data + size) lies inside the running image as the loader mapped it.
bool inside_image(const void* data, DWORD size) {
  const auto* base = reinterpret_cast<const unsigned char*>(GetModuleHandleW(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(base);
  const std::uintptr_t at = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t image_size = nt->OptionalHeader.SizeOfImage;
  return at >= start && at - start <= image_size && size <= image_size - (at - start);
}

}  // namespace

FileResult<std::string> read_carried_payload() {
  const HRSRC found = FindResourceExW(nullptr, MAKEINTRESOURCEW(kPayloadResourceType),
                                      MAKEINTRESOURCEW(kPayloadResourceId),
                                      MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
  if (found == nullptr) return FileFault{self_path(), "it carries no scenario"};
  const DWORD size = SizeofResource(nullptr, found);
  const HGLOBAL loaded = LoadResource(nullptr, found);
  const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (data == nullptr || !inside_image(data, size)) {
    return FileFault{self_path(), "the scenario it carries cannot be read"};
  }
  return std::string(static_cast<const char*>(data), size);
}

}  // namespace scenario
