#include "payload/payload_format.h"

#include <array>
#include <limits>

#include "payload/checksum.h"

namespace scenario {

namespace {

// The texts in the order the block holds them.
std::array<std::string_view, kPayloadTextCount> texts_of(const ScenarioPayload& payload) {
  return {payload.line_name, payload.train_number, payload.route, payload.train,
          payload.notes,     payload.slowdowns,    payload.sheet};
}

void put_u32(std::string& bytes, std::uint32_t v) {
  for (int i = 0; i < 4; ++i)
    bytes.push_back(static_cast<char>(static_cast<std::uint8_t>(v >> (8 * i))));
}

// The 32-bit number at `offset`; the caller has checked that four bytes are there.
std::uint32_t get_u32(std::string_view bytes, std::size_t offset) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) {
    v = (v << 8) | static_cast<std::uint8_t>(bytes[offset + static_cast<std::size_t>(i)]);
  }
  return v;
}

}  // namespace

std::string_view damage_meaning(PayloadDamage damage) {
  switch (damage) {
    case PayloadDamage::cut_short:
      return "it is cut short";
    case PayloadDamage::not_a_payload:
      return "it is not a scenario payload";
    case PayloadDamage::other_version:
      return "it was written in a format this pack does not read";
    case PayloadDamage::wrong_sizes:
      return "its sizes do not add up";
    case PayloadDamage::checksum_wrong:
      return "its checksum does not match";
  }
  return "it is damaged";
}

std::optional<std::string> encode_payload(const ScenarioPayload& payload) {
  constexpr std::uint64_t kLargest = std::numeric_limits<std::uint32_t>::max();
  std::uint64_t size = kPayloadHeaderSize + kPayloadChecksumSize;
  for (std::string_view text : texts_of(payload)) size += text.size();
  if (size > kLargest) return std::nullopt;

  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(size));
  bytes.append(kPayloadMagic);
  put_u32(bytes, kPayloadVersion);
  put_u32(bytes, static_cast<std::uint32_t>(size));
  for (std::string_view text : texts_of(payload)) {
    put_u32(bytes, static_cast<std::uint32_t>(text.size()));
  }
  for (std::string_view text : texts_of(payload)) bytes.append(text);
  put_u32(bytes, crc32(bytes));
  return bytes;
}

std::variant<ScenarioPayload, PayloadDamage> decode_payload(std::string_view bytes) {
  // A block shorter than the magic is cut short only if what there is begins the magic.
  if (!kPayloadMagic.starts_with(bytes.substr(0, kPayloadMagic.size()))) {
    return PayloadDamage::not_a_payload;
  }
  if (bytes.size() < kPayloadHeaderSize + kPayloadChecksumSize) return PayloadDamage::cut_short;
  if (get_u32(bytes, 8) != kPayloadVersion) return PayloadDamage::other_version;
  const std::uint32_t size = get_u32(bytes, 12);
  if (bytes.size() < size) return PayloadDamage::cut_short;
  if (bytes.size() > size) return PayloadDamage::wrong_sizes;

  // Sums in 64 bits: seven 32-bit lengths cannot wrap there.
  std::array<std::uint32_t, kPayloadTextCount> lengths{};
  std::uint64_t expected = kPayloadHeaderSize + kPayloadChecksumSize;
  for (std::size_t k = 0; k < kPayloadTextCount; ++k) {
    lengths[k] = get_u32(bytes, 16 + 4 * k);
    expected += lengths[k];
  }
  if (expected != size) return PayloadDamage::wrong_sizes;

  const std::size_t checked = bytes.size() - kPayloadChecksumSize;
  if (crc32(bytes.substr(0, checked)) != get_u32(bytes, checked)) {
    return PayloadDamage::checksum_wrong;
  }

  std::array<std::string_view, kPayloadTextCount> texts;
  std::size_t at = kPayloadHeaderSize;
  for (std::size_t k = 0; k < kPayloadTextCount; ++k) {
    texts[k] = bytes.substr(at, lengths[k]);
    at += lengths[k];
  }
  return ScenarioPayload{texts[0], texts[1], texts[2], texts[3], texts[4], texts[5], texts[6]};
}

}  // namespace scenario
