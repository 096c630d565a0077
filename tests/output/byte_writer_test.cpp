#include "output/byte_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "straight_line.h"

namespace scenario {
namespace {

using testing::bytes;

TEST(ByteWriter, WritesEachWidthLittleEndian) {
  ByteWriter out(0);
  out.u8(0xAB);
  out.u16(0x0102);
  out.i16(-2);
  out.i32(-32769);  // 0xFFFF7FFF
  out.f64(-1.5);    // sign 1, exponent 0x3FF, fraction 0x8000000000000
  EXPECT_EQ(out.bytes(), bytes({0xAB, 0x02, 0x01, 0xFE, 0xFF, 0xFF, 0x7F, 0xFF, 0xFF, 0x00, 0x00,
                                0x00, 0x00, 0x00, 0x00, 0xF8, 0xBF}));
}

TEST(ByteWriter, CountsAStringInBytesWithoutTerminator) {
  ByteWriter out(0);
  out.counted_string("");
  out.counted_string("Citt\xE0");
  EXPECT_EQ(out.bytes(), bytes({0x00, 0x00, 0x05, 0x00, 'C', 'i', 't', 't', 0xE0}));
}

TEST(ByteWriter, KeepsTheCountAndTheTextInStepForATextTooLongForTheCount) {
  ByteWriter out(0);
  out.counted_string(std::string(70000, 'a'));
  ASSERT_EQ(out.bytes().size(), 2u + 65535u);
  EXPECT_EQ(out.bytes().substr(0, 2), bytes({0xFF, 0xFF}));
}

}  // namespace
}  // namespace scenario
