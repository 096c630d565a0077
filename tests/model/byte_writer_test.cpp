#include "model/byte_writer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace scenario {
namespace {

using testing::bytes_written;

std::string bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out.push_back(static_cast<char>(static_cast<unsigned char>(v)));
  return out;
}

void every_width(ByteWriter& out) {
  out.u8(0xAB);
  out.u16(0x0102);
  out.i16(-2);
  out.i32(-32769);  // 0xFFFF7FFF
  out.f64(-1.5);    // sign 1, exponent 0x3FF, fraction 0x8000000000000
}

TEST(ByteWriter, WritesEachWidthLittleEndianWhateverTheBufferSize) {
  const std::string expected = bytes({0xAB, 0x02, 0x01, 0xFE, 0xFF, 0xFF, 0x7F, 0xFF, 0xFF, 0x00,
                                      0x00, 0x00, 0x00, 0x00, 0x00, 0xF8, 0xBF});
  // From a buffer smaller than one value, through sizes where values straddle two fillings, to
  // one that holds everything.
  for (std::size_t size : {0u, 1u, 2u, 3u, 5u, 8u, 9u, 16u, 17u, 4096u}) {
    SCOPED_TRACE(size);
    EXPECT_EQ(bytes_written(every_width, size), expected);
  }
}

TEST(ByteWriter, CountsAStringInBytesWithoutTerminator) {
  const std::string written = bytes_written([](ByteWriter& out) {
    out.counted_string("");
    out.counted_string("Citt\xE0");
  });
  EXPECT_EQ(written, bytes({0x00, 0x00, 0x05, 0x00, 'C', 'i', 't', 't', 0xE0}));
}

TEST(ByteWriter, KeepsTheCountAndTheTextInStepForATextTooLongForTheCount) {
  const std::string written =
      bytes_written([](ByteWriter& out) { out.counted_string(std::string(70000, 'a')); });
  ASSERT_EQ(written.size(), 2u + 65535u);
  EXPECT_EQ(written.substr(0, 2), bytes({0xFF, 0xFF}));
}

TEST(ByteWriter, TextLongerThanTheBufferArrivesWhole) {
  std::string text;
  for (int i = 0; i < 1000; ++i) text.push_back(static_cast<char>(i % 251));
  EXPECT_EQ(bytes_written([&](ByteWriter& out) { out.text(text); }, 64), text);
}

TEST(ByteWriter, WritesRunsOfRecordsWhateverTheBufferSize) {
  // Three profile elements: tag 5 and the reals 0.0, 1.0 (0x3FF0...) and 2.0 (0x4000...).
  const std::string expected = bytes({0x05, 0x00, 0, 0, 0, 0, 0, 0, 0,    0,       // 0.0
                                      0x05, 0x00, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F,    // 1.0
                                      0x05, 0x00, 0, 0, 0, 0, 0, 0, 0,    0x40});  // 2.0
  const auto three_reals = [](ByteWriter& out) {
    out.records(3, 10, [](char* at, std::size_t i) {
      ByteWriter::store(at, std::uint16_t{5});
      ByteWriter::store_f64(at + 2, static_cast<double>(i));
    });
  };
  for (std::size_t size : {0u, 1u, 3u, 9u, 10u, 11u, 19u, 20u, 64u}) {
    SCOPED_TRACE(size);
    EXPECT_EQ(bytes_written(three_reals, size), expected);
  }
}

TEST(ByteWriter, RefusesRecordsItCannotHold) {
  const auto writing_records_of = [](std::size_t size) {
    return [size](ByteWriter& out) {
      out.records(1, size, [size](char* at, std::size_t) { std::memset(at, 'r', size); });
    };
  };
  for (std::size_t size : {std::size_t{0}, ByteWriter::kLargestRecord + 1}) {
    SCOPED_TRACE(size);
    EXPECT_THROW(bytes_written(writing_records_of(size)), std::invalid_argument);
  }
  EXPECT_EQ(bytes_written(writing_records_of(ByteWriter::kLargestRecord)),
            std::string(ByteWriter::kLargestRecord, 'r'));
}

// Counts the drains and fails from the `fail_at`-th one on.
class CountingDrain final : public ByteDrain {
 public:
  explicit CountingDrain(int fail_at) : fail_at_(fail_at) {}
  FileResult<> drain(std::string_view bytes) override {
    ++drains;
    if (drains >= fail_at_) return FileFault{"out.dat", "disk full"};
    received.append(bytes);
    return {};
  }
  int drains = 0;
  std::string received;

 private:
  int fail_at_;
};

TEST(ByteWriter, StopsDrainingAtTheFirstFaultAndReportsIt) {
  std::vector<char> buffer(4);
  CountingDrain drain(2);
  ByteWriter out(buffer, drain);
  out.i32(1);
  out.i32(2);  // the first drain, of the bytes of 1, succeeds
  out.i32(3);  // the second fails
  out.i32(4);
  const FileResult<> written = out.finish();
  ASSERT_FALSE(written.ok());
  EXPECT_EQ(written.fault().reason, "disk full");
  EXPECT_EQ(drain.drains, 2);
  EXPECT_EQ(drain.received, bytes({1, 0, 0, 0}));
}

TEST(ByteWriter, AFailureOfTheWriterKeepsItsFirstFaultAndDrainsNothingMore) {
  std::vector<char> buffer(16);
  CountingDrain drain(100);
  ByteWriter out(buffer, drain);
  out.text("abc");
  out.fail(FileFault{"source.txt", "cannot read"});
  out.fail(FileFault{"other.txt", "later"});
  out.text("def");
  EXPECT_TRUE(out.failed());
  const FileResult<> written = out.finish();
  ASSERT_FALSE(written.ok());
  EXPECT_EQ(written.fault().path, "source.txt");
  EXPECT_EQ(drain.drains, 0);
}

TEST(ByteWriter, FinishOfAnEmptyFileDrainsNothing) {
  std::vector<char> buffer(16);
  CountingDrain drain(1);  // any drain would fail
  ByteWriter out(buffer, drain);
  EXPECT_TRUE(out.finish().ok());
  EXPECT_EQ(drain.drains, 0);
}

}  // namespace
}  // namespace scenario
