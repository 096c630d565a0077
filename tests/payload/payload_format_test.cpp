#include "payload/payload_format.h"

#include <gtest/gtest.h>

#include <string>

#include "payload/checksum.h"

namespace scenario {
namespace {

TEST(Crc32, GivesThePublishedCheckValues) {
  const struct {
    std::string_view bytes;
    std::uint32_t crc;
  } cases[] = {
      {"", 0x00000000u},
      {"123456789", 0xCBF43926u},
      {"The quick brown fox jumps over the lazy dog", 0x414FA339u},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bytes);
    EXPECT_EQ(crc32(c.bytes), c.crc);
  }
}

std::uint32_t u32_at(const std::string& bytes, std::size_t offset) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    v |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[offset + i])) << (8 * i);
  }
  return v;
}

void set_u32(std::string& bytes, std::size_t offset, std::uint32_t v) {
  for (std::size_t i = 0; i < 4; ++i) bytes[offset + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

ScenarioPayload decoded(const std::string& bytes) {
  auto result = decode_payload(bytes);
  if (auto* damage = std::get_if<PayloadDamage>(&result)) {
    ADD_FAILURE() << "refused: " << damage_meaning(*damage);
    return {};
  }
  return std::get<ScenarioPayload>(result);
}

std::optional<PayloadDamage> damage_of(const std::string& bytes) {
  auto result = decode_payload(bytes);
  if (auto* damage = std::get_if<PayloadDamage>(&result)) return *damage;
  return std::nullopt;
}

// Every text distinct, one of them empty, with bytes a text reader might trip on.
const ScenarioPayload kSample{"Colle Verde_Pianura",
                              "2210",
                              "[generale]\r\nlunghezza, 5\r\n",
                              std::string_view("a\0b", 3),
                              "",
                              "rall\n",
                              "scheda \xE8\n"};

TEST(PayloadFormat, LaysOutTheHeaderTextsAndChecksum) {
  const std::string bytes = encode_payload({"L", "7", "r", "", "", "", ""}).value();
  // 44 header bytes, the three one-byte texts, four checksum bytes.
  ASSERT_EQ(bytes.size(), 51u);
  EXPECT_EQ(bytes.substr(0, 8), "SCNPAYLD");
  EXPECT_EQ(u32_at(bytes, 8), 1u);
  EXPECT_EQ(u32_at(bytes, 12), 51u);
  const std::uint32_t lengths[] = {1, 1, 1, 0, 0, 0, 0};
  for (std::size_t k = 0; k < 7; ++k) EXPECT_EQ(u32_at(bytes, 16 + 4 * k), lengths[k]) << k;
  EXPECT_EQ(bytes.substr(44, 3), "L7r");
  EXPECT_EQ(u32_at(bytes, 47), crc32(std::string_view(bytes).substr(0, 47)));
}

TEST(PayloadFormat, ReadsBackEveryTextExactly) {
  const std::string bytes = encode_payload(kSample).value();
  const ScenarioPayload back = decoded(bytes);
  EXPECT_EQ(back.line_name, kSample.line_name);
  EXPECT_EQ(back.train_number, kSample.train_number);
  EXPECT_EQ(back.route, kSample.route);
  EXPECT_EQ(back.train, kSample.train);
  EXPECT_EQ(back.notes, kSample.notes);
  EXPECT_EQ(back.slowdowns, kSample.slowdowns);
  EXPECT_EQ(back.sheet, kSample.sheet);
}

TEST(PayloadFormat, RefusesEveryAlteredByte) {
  const std::string good = encode_payload(kSample).value();
  for (std::size_t at = 0; at < good.size(); ++at) {
    for (const int flip : {0x01, 0x80, 0xFF}) {
      std::string bad = good;
      bad[at] = static_cast<char>(bad[at] ^ flip);
      EXPECT_TRUE(damage_of(bad).has_value()) << "byte " << at << " xor " << flip;
    }
  }
}

TEST(PayloadFormat, RefusesABlockCutShortAnywhere) {
  const std::string good = encode_payload(kSample).value();
  for (std::size_t kept = 0; kept < good.size(); ++kept) {
    EXPECT_EQ(damage_of(good.substr(0, kept)), PayloadDamage::cut_short) << kept;
  }
}

TEST(PayloadFormat, NamesWhatIsWrong) {
  const std::string good = encode_payload(kSample).value();
  const std::size_t route_length = 16 + 4 * 2;
  const std::size_t train_length = 16 + 4 * 3;
  const struct {
    const char* what;
    std::string bytes;
    PayloadDamage damage;
  } cases[] = {
      {"another magic", "SCNPAYLX" + good.substr(8), PayloadDamage::not_a_payload},
      {"another version",
       [&] {
         std::string b = good;
         set_u32(b, 8, 2);
         return b;
       }(),
       PayloadDamage::other_version},
      {"a byte too many", good + "x", PayloadDamage::wrong_sizes},
      {"a block size that says more than is there",
       [&] {
         std::string b = good;
         set_u32(b, 12, static_cast<std::uint32_t>(good.size() + 1));
         return b;
       }(),
       PayloadDamage::cut_short},
      {"a route length one too long",
       [&] {
         std::string b = good;
         set_u32(b, route_length, u32_at(b, route_length) + 1);
         return b;
       }(),
       PayloadDamage::wrong_sizes},
      {"lengths that would wrap a 32-bit sum",
       [&] {
         std::string b = good;
         for (std::size_t k = 0; k < 7; ++k) set_u32(b, 16 + 4 * k, 0xFFFFFFFFu);
         return b;
       }(),
       PayloadDamage::wrong_sizes},
      {"a byte moved from the train to the route",
       [&] {
         std::string b = good;
         set_u32(b, route_length, u32_at(b, route_length) + 1);
         set_u32(b, train_length, u32_at(b, train_length) - 1);
         return b;
       }(),
       PayloadDamage::checksum_wrong},
      {"a text byte changed",
       [&] {
         std::string b = good;
         b[kPayloadHeaderSize + 3] = 'X';
         return b;
       }(),
       PayloadDamage::checksum_wrong},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(damage_of(c.bytes), c.damage);
  }
}

}  // namespace
}  // namespace scenario
