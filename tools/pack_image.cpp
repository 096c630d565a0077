#include "pack_image.h"

#include "platform/carried_payload.h"
#include "platform/pack_trailer.h"
#include "resource_section.h"
#include "version_resource.h"

namespace scenario::tool {

namespace {

constexpr std::string_view kElfMagic =
    "\x7F"
    "ELF";
constexpr std::uint16_t kVersionResourceType = 16;  // RT_VERSION
constexpr std::uint16_t kVersionResourceId = 1;
constexpr std::uint16_t kNeutralLanguage = 0;

}  // namespace

std::variant<std::string, ImageRefusal> linux_pack_image(std::string_view stub,
                                                         std::string_view payload) {
  if (!stub.starts_with(kElfMagic)) return ImageRefusal{"not a Linux executable (no ELF header)"};
  if (stub.ends_with(kTrailerMagic)) return ImageRefusal{"it is a pack already, not a stub"};
  std::string image;
  image.reserve(stub.size() + payload.size() + kTrailerSize);
  image.append(stub);
  image.append(payload);
  image.append(pack_trailer(stub.size(), payload.size()));
  return image;
}

std::variant<std::string, ImageRefusal> windows_pack_image(std::string_view stub,
                                                           std::string_view payload,
                                                           std::string_view pack_name) {
  const auto layout = read_pe_layout(stub);
  if (const auto* refused = std::get_if<ImageRefusal>(&layout)) return *refused;
  const PeLayout& pe = std::get<PeLayout>(layout);
  const auto section = resource_section(
      {Resource{kPayloadResourceType, kPayloadResourceId, kNeutralLanguage, std::string(payload)},
       Resource{kVersionResourceType, kVersionResourceId, kVersionLanguage,
                version_resource(pack_name)}},
      pe.new_section_rva);
  if (!section) return ImageRefusal{"the scenario does not fit a Windows image"};
  return with_resource_section(stub, pe, *section);
}

}  // namespace scenario::tool
