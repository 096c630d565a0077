#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace scenario::tool {

// Why an image cannot be made into a pack, in words for the person packing.
struct ImageRefusal {
  std::string reason;
};

// What giving a Windows stub (a PE image, 32- or 64-bit) a resource section needs to know:
// where its headers are and where the new section will be mapped and stored.
struct PeLayout {
  std::size_t optional_header = 0;      // file offset of the optional header
  bool pe32_plus = false;               // the 64-bit form of the optional header
  std::size_t new_section_header = 0;   // file offset where the new section's header goes
  std::uint32_t section_alignment = 0;  // in memory
  std::uint32_t file_alignment = 0;     // in the file
  std::uint32_t new_section_rva = 0;    // the new section's address in the image
  std::uint64_t new_section_raw = 0;    // the new section's offset in the file
};

// Reads a PE image's headers, checking every size and offset against the image before use, and
// works out where a new section goes: after every section in memory and after the whole file on
// disk, its header after the last one. Refuses an image that is not a PE executable, has no room
// for another section header, already carries resources (the stub is built without them) or is
// signed (the signature would no longer hold).
std::variant<PeLayout, ImageRefusal> read_pe_layout(std::string_view image);

// The image with `section` (laid out for layout.new_section_rva) added as an initialised,
// read-only section ".rsrc" and named the image's resource directory. SizeOfImage and
// SizeOfInitializedData grow with it; a non-zero checksum is computed afresh.
std::variant<std::string, ImageRefusal> with_resource_section(std::string_view image,
                                                              const PeLayout& layout,
                                                              std::string_view section);

// The PE checksum of `image`, whose own checksum field is at `checksum_offset`: 16-bit words
// added with end-around carry, the field itself left out, plus the file's length.
std::uint32_t pe_checksum(std::string_view image, std::size_t checksum_offset);

}  // namespace scenario::tool
