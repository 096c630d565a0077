#include "pe_image.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace scenario::tool {

namespace {

constexpr std::size_t kDosLfanew = 0x3C;
constexpr std::size_t kFileHeaderSize = 20;
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::uint16_t kPe32 = 0x10B;
constexpr std::uint16_t kPe32Plus = 0x20B;
constexpr std::size_t kResourceDirectory = 2;
constexpr std::size_t kCertificateDirectory = 4;
constexpr std::uint32_t kMostSections = 96;          // the loader's own limit
constexpr std::uint32_t kReadOnlyData = 0x40000040;  // initialised data, readable

// Offsets inside the optional header, the same for both of its forms up to the data directory.
constexpr std::size_t kSizeOfInitializedData = 8;
constexpr std::size_t kSectionAlignment = 32;
constexpr std::size_t kFileAlignment = 36;
constexpr std::size_t kSizeOfImage = 56;
constexpr std::size_t kSizeOfHeaders = 60;
constexpr std::size_t kCheckSum = 64;

// Offsets inside a section header.
constexpr std::size_t kVirtualSize = 8;
constexpr std::size_t kVirtualAddress = 12;
constexpr std::size_t kSizeOfRawData = 16;
constexpr std::size_t kPointerToRawData = 20;
constexpr std::size_t kCharacteristics = 36;

std::optional<std::uint32_t> read_u(std::string_view image, std::uint64_t at, int width) {
  if (at > image.size() || image.size() - at < static_cast<std::uint64_t>(width)) {
    return std::nullopt;
  }
  std::uint32_t v = 0;
  for (int i = width - 1; i >= 0; --i) {
    v = (v << 8) | static_cast<std::uint8_t>(image[static_cast<std::size_t>(at) + i]);
  }
  return v;
}

void write_u(std::string& image, std::size_t at, std::uint32_t v, int width) {
  for (int i = 0; i < width; ++i) image[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

bool power_of_two(std::uint32_t v) { return v != 0 && (v & (v - 1)) == 0; }

std::uint64_t align_up(std::uint64_t v, std::uint32_t alignment) {
  return (v + alignment - 1) / alignment * alignment;
}

std::size_t data_directory(const PeLayout& layout, std::size_t index) {
  return layout.optional_header + (layout.pe32_plus ? 112 : 96) + 8 * index;
}

ImageRefusal refusal(std::string reason) { return ImageRefusal{std::move(reason)}; }

}  // namespace

std::variant<PeLayout, ImageRefusal> read_pe_layout(std::string_view image) {
  if (image.size() < 0x40 || image.substr(0, 2) != "MZ") {
    return refusal("not a Windows executable (no MZ header)");
  }
  const std::uint32_t pe = *read_u(image, kDosLfanew, 4);
  const auto signature = read_u(image, pe, 4);
  if (!signature || *signature != 0x00004550) {
    return refusal("not a Windows executable (no PE header)");
  }
  const std::uint64_t file_header = std::uint64_t{pe} + 4;
  const auto sections = read_u(image, file_header + 2, 2);
  const auto optional_size = read_u(image, file_header + 16, 2);
  if (!sections || !optional_size) return refusal("its PE header is cut short");

  PeLayout layout;
  layout.optional_header = static_cast<std::size_t>(file_header + kFileHeaderSize);
  const auto magic = read_u(image, layout.optional_header, 2);
  if (!magic || (*magic != kPe32 && *magic != kPe32Plus)) {
    return refusal("its optional header is of an unknown kind");
  }
  layout.pe32_plus = *magic == kPe32Plus;
  const std::size_t directories_at = layout.pe32_plus ? 108 : 92;
  const auto directories = read_u(image, layout.optional_header + directories_at, 4);
  if (!directories || *directories <= kCertificateDirectory ||
      *optional_size < directories_at + 4 + 8 * std::uint64_t{*directories} ||
      image.size() - layout.optional_header < *optional_size) {
    return refusal("its optional header is cut short");
  }
  const std::uint32_t section_alignment =
      *read_u(image, layout.optional_header + kSectionAlignment, 4);
  const std::uint32_t file_alignment = *read_u(image, layout.optional_header + kFileAlignment, 4);
  const std::uint32_t headers_size = *read_u(image, layout.optional_header + kSizeOfHeaders, 4);
  if (!power_of_two(section_alignment) || !power_of_two(file_alignment) ||
      file_alignment > section_alignment) {
    return refusal("its section alignments are not valid");
  }
  layout.section_alignment = section_alignment;
  layout.file_alignment = file_alignment;
  if (*read_u(image, data_directory(layout, kResourceDirectory), 4) != 0) {
    return refusal("it already carries resources; a stub is built without them");
  }
  if (*read_u(image, data_directory(layout, kCertificateDirectory), 4) != 0) {
    return refusal("it is signed, and adding the scenario would break the signature");
  }

  const std::uint64_t table = layout.optional_header + std::uint64_t{*optional_size};
  if (*sections + 1 > kMostSections) return refusal("it has no room for another section");
  const std::uint64_t table_end = table + kSectionHeaderSize * (std::uint64_t{*sections} + 1);
  std::uint64_t first_raw = headers_size;
  std::uint64_t image_end = 0;
  std::uint64_t file_end = image.size();
  for (std::uint32_t k = 0; k < *sections; ++k) {
    const std::uint64_t header = table + kSectionHeaderSize * k;
    const auto virtual_size = read_u(image, header + kVirtualSize, 4);
    const auto address = read_u(image, header + kVirtualAddress, 4);
    const auto raw_size = read_u(image, header + kSizeOfRawData, 4);
    const auto raw_at = read_u(image, header + kPointerToRawData, 4);
    if (!virtual_size || !address || !raw_size || !raw_at) {
      return refusal("its section table is cut short");
    }
    if (*raw_size != 0) {
      if (std::uint64_t{*raw_at} + *raw_size > image.size()) {
        return refusal("a section lies beyond the end of the file");
      }
      first_raw = std::min<std::uint64_t>(first_raw, *raw_at);
      file_end = std::max<std::uint64_t>(file_end, std::uint64_t{*raw_at} + *raw_size);
    }
    image_end = std::max<std::uint64_t>(
        image_end, std::uint64_t{*address} + std::max(*virtual_size, *raw_size));
  }
  if (table_end > first_raw || table_end > image.size()) {
    return refusal("it has no room for another section header");
  }
  if (image.substr(static_cast<std::size_t>(table_end - kSectionHeaderSize), kSectionHeaderSize)
          .find_first_not_of('\0') != std::string_view::npos) {
    return refusal("the place for another section header is taken");
  }
  const std::uint64_t rva = align_up(image_end, section_alignment);
  if (rva > std::numeric_limits<std::uint32_t>::max()) return refusal("its image is too large");
  layout.new_section_header = static_cast<std::size_t>(table_end - kSectionHeaderSize);
  layout.new_section_rva = static_cast<std::uint32_t>(rva);
  layout.new_section_raw = align_up(file_end, file_alignment);
  return layout;
}

std::variant<std::string, ImageRefusal> with_resource_section(std::string_view image,
                                                              const PeLayout& layout,
                                                              std::string_view section) {
  constexpr std::uint64_t kLargest = std::numeric_limits<std::uint32_t>::max();
  const std::uint64_t raw_size = align_up(section.size(), layout.file_alignment);
  const std::uint64_t image_size =
      align_up(std::uint64_t{layout.new_section_rva} + section.size(), layout.section_alignment);
  const std::uint64_t initialized =
      *read_u(image, layout.optional_header + kSizeOfInitializedData, 4) + raw_size;
  if (section.empty() || raw_size > kLargest || image_size > kLargest ||
      layout.new_section_raw > kLargest || initialized > kLargest) {
    return refusal("the scenario does not fit a Windows image");
  }

  std::string out(image);
  out.resize(static_cast<std::size_t>(layout.new_section_raw), '\0');
  out.append(section);
  out.resize(static_cast<std::size_t>(layout.new_section_raw + raw_size), '\0');

  const std::size_t header = layout.new_section_header;
  out.replace(header, 8, std::string_view(".rsrc\0\0\0", 8));
  write_u(out, header + kVirtualSize, static_cast<std::uint32_t>(section.size()), 4);
  write_u(out, header + kVirtualAddress, layout.new_section_rva, 4);
  write_u(out, header + kSizeOfRawData, static_cast<std::uint32_t>(raw_size), 4);
  write_u(out, header + kPointerToRawData, static_cast<std::uint32_t>(layout.new_section_raw), 4);
  write_u(out, header + kCharacteristics, kReadOnlyData, 4);

  const std::size_t file_header = layout.optional_header - kFileHeaderSize;
  write_u(out, file_header + 2, *read_u(out, file_header + 2, 2) + 1, 2);
  write_u(out, layout.optional_header + kSizeOfInitializedData,
          static_cast<std::uint32_t>(initialized), 4);
  write_u(out, layout.optional_header + kSizeOfImage, static_cast<std::uint32_t>(image_size), 4);
  write_u(out, data_directory(layout, kResourceDirectory), layout.new_section_rva, 4);
  write_u(out, data_directory(layout, kResourceDirectory) + 4,
          static_cast<std::uint32_t>(section.size()), 4);

  // Only drivers and boot-time DLLs must carry a checksum; keep a stub's "none" as it is.
  const std::size_t checksum = layout.optional_header + kCheckSum;
  if (*read_u(out, checksum, 4) != 0) {
    write_u(out, checksum, pe_checksum(out, checksum), 4);
  }
  return out;
}

std::uint32_t pe_checksum(std::string_view image, std::size_t checksum_offset) {
  // The field itself counts as zero.
  const auto byte = [&](std::size_t at) -> std::uint32_t {
    if (at >= image.size() || (at >= checksum_offset && at - checksum_offset < 4)) return 0;
    return static_cast<std::uint8_t>(image[at]);
  };
  std::uint64_t sum = 0;
  for (std::size_t at = 0; at < image.size(); at += 2) {
    sum += byte(at) | (byte(at + 1) << 8);
    sum = (sum & 0xFFFF) + (sum >> 16);
  }
  sum = (sum & 0xFFFF) + (sum >> 16);
  return static_cast<std::uint32_t>(sum + image.size());
}

}  // namespace scenario::tool
