#include "version_resource.h"

#include <cstdint>
#include <vector>

#include "model/code_page_1252.h"

namespace scenario::tool {

namespace {

enum class ValueType : std::uint16_t { binary = 0, text = 1 };

void put_u16(std::string& bytes, std::uint16_t v) {
  bytes.push_back(static_cast<char>(v & 0xFF));
  bytes.push_back(static_cast<char>(v >> 8));
}

void put_u32(std::string& bytes, std::uint32_t v) {
  put_u16(bytes, static_cast<std::uint16_t>(v & 0xFFFF));
  put_u16(bytes, static_cast<std::uint16_t>(v >> 16));
}

void put_utf16(std::string& bytes, std::u16string_view text) {
  for (const char16_t unit : text) put_u16(bytes, unit);
  put_u16(bytes, 0);
}

void align_4(std::string& bytes) {
  while (bytes.size() % 4 != 0) bytes.push_back('\0');
}

// One block of the resource: its header, key and value, then its children, each on a 4-byte
// boundary. The block starts 4-aligned, so alignment within it is alignment in the resource.
std::string block(std::u16string_view key, ValueType type, std::uint16_t value_length,
                  std::string_view value, const std::vector<std::string>& children) {
  std::string bytes;
  put_u16(bytes, 0);  // the length, known at the end
  put_u16(bytes, value_length);
  put_u16(bytes, static_cast<std::uint16_t>(type));
  put_utf16(bytes, key);
  if (!value.empty()) {
    align_4(bytes);
    bytes.append(value);
  }
  for (const std::string& child : children) {
    align_4(bytes);
    bytes.append(child);
  }
  // Names are bounded by the caller; every block of a pack's resource is far below 64 KiB.
  const auto length = static_cast<std::uint16_t>(bytes.size());
  bytes[0] = static_cast<char>(length & 0xFF);
  bytes[1] = static_cast<char>(length >> 8);
  return bytes;
}

// A string of the string table: its value length counts UTF-16 units with the terminator.
std::string text_value(std::u16string_view key, std::u16string_view value) {
  std::string bytes;
  put_utf16(bytes, value);
  return block(key, ValueType::text, static_cast<std::uint16_t>(value.size() + 1), bytes, {});
}

std::string fixed_file_info() {
  std::string bytes;
  put_u32(bytes, 0xFEEF04BD);  // signature
  put_u32(bytes, 0x00010000);  // structure version 1.0
  put_u32(bytes, 0x00010000);  // file version 1.0 ...
  put_u32(bytes, 0x00000000);  // ... .0.0
  put_u32(bytes, 0x00010000);  // product version 1.0 ...
  put_u32(bytes, 0x00000000);  // ... .0.0
  put_u32(bytes, 0x3F);        // FILEFLAGSMASK
  put_u32(bytes, 0x0);         // FILEFLAGS
  put_u32(bytes, 0x40004);     // FILEOS: Windows NT, 32-bit and later
  put_u32(bytes, 0x1);         // FILETYPE: an application
  put_u32(bytes, 0x0);         // FILESUBTYPE
  put_u32(bytes, 0x0);         // file date, high
  put_u32(bytes, 0x0);         // file date, low
  return bytes;
}

}  // namespace

std::string version_resource(std::string_view name) {
  const std::u16string wide = code_page_1252_to_utf16(name);
  const std::string strings = block(
      u"041004E4", ValueType::text, 0, {},
      {text_value(u"FileVersion", u"1.00"), text_value(u"InternalName", wide),
       text_value(u"OriginalFilename", wide + u".exe"), text_value(u"ProductVersion", u"1.00")});
  std::string translation;
  put_u16(translation, kVersionLanguage);
  put_u16(translation, 1252);
  const std::string fixed = fixed_file_info();
  return block(u"VS_VERSION_INFO", ValueType::binary, static_cast<std::uint16_t>(fixed.size()),
               fixed,
               {block(u"StringFileInfo", ValueType::text, 0, {}, {strings}),
                block(u"VarFileInfo", ValueType::text, 0, {},
                      {block(u"Translation", ValueType::binary, 4, translation, {})})});
}

}  // namespace scenario::tool
