#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "payload/scenario_payload.h"

namespace scenario {

// The block of bytes a pack carries: its scenario's identity and five text files, checked as a
// whole before any of it is used. Numbers are little-endian.
//
//   offset  size  field
//   0       8     magic "SCNPAYLD"
//   8       4     format version, kPayloadVersion
//   12      4     size of the whole block in bytes, checksum included
//   16      7x4   byte length of each text, in this order: line name, train number, route,
//                 train, notes, slowdowns, train sheet
//   44      ...   the seven texts back to back, each exactly as given (no terminator)
//   size-4  4     CRC-32 (checksum.h) of every byte before it
//
// The line name and the train number are single-byte text of code page 1252, as the scenario
// state holds them; the five texts are the author's files byte for byte. A reader that meets
// another version refuses the block instead of guessing at its layout.
inline constexpr std::string_view kPayloadMagic = "SCNPAYLD";
inline constexpr std::uint32_t kPayloadVersion = 1;
inline constexpr std::size_t kPayloadTextCount = 7;
inline constexpr std::size_t kPayloadHeaderSize = 8 + 4 + 4 + 4 * kPayloadTextCount;
inline constexpr std::size_t kPayloadChecksumSize = 4;

// Why a block is not a payload this pack can use.
enum class PayloadDamage {
  cut_short,       // fewer bytes than the header, or than the block says it holds
  not_a_payload,   // the magic is not there
  other_version,   // written in a format version this reader does not know
  wrong_sizes,     // the lengths of the texts do not add up to the block's size
  checksum_wrong,  // the bytes are not those the packer wrote
};

// One line for the person who runs the pack, e.g. "its checksum does not match".
std::string_view damage_meaning(PayloadDamage damage);

// The block for `payload`; nothing when it would not fit the 32-bit sizes of the format.
std::optional<std::string> encode_payload(const ScenarioPayload& payload);

// Reads a block, checking every size against `bytes` before it is used and the checksum before
// anything is returned. The views of the result point into `bytes`, which must outlive them.
std::variant<ScenarioPayload, PayloadDamage> decode_payload(std::string_view bytes);

}  // namespace scenario
