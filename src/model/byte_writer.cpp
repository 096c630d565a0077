#include "model/byte_writer.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace scenario {

ByteWriter::ByteWriter(std::span<char> buffer, ByteDrain& drain)
    : begin_(buffer.data()),
      next_(buffer.data()),
      end_(buffer.data() + buffer.size()),
      drain_(drain),
      spare_{} {
  if (buffer.empty()) {
    begin_ = next_ = spare_;
    end_ = spare_ + sizeof spare_;
  }
}

void ByteWriter::text(std::string_view bytes) {
  while (!bytes.empty()) {
    if (next_ == end_) spill();
    const std::size_t room = static_cast<std::size_t>(end_ - next_);
    const std::size_t chunk = std::min(room, bytes.size());
    std::memcpy(next_, bytes.data(), chunk);
    next_ += chunk;
    bytes.remove_prefix(chunk);
  }
}

void ByteWriter::counted_string(std::string_view bytes) {
  constexpr std::size_t kMaxCounted = std::numeric_limits<std::uint16_t>::max();
  const std::string_view counted = bytes.substr(0, kMaxCounted);
  u16(static_cast<std::uint16_t>(counted.size()));
  text(counted);
}

void ByteWriter::fail(FileFault fault) {
  if (status_.ok()) status_ = std::move(fault);
}

FileResult<> ByteWriter::finish() {
  spill();
  return status_;
}

void ByteWriter::spill() {
  if (status_.ok() && next_ != begin_) {
    status_ = drain_.drain(std::string_view(begin_, static_cast<std::size_t>(next_ - begin_)));
  }
  next_ = begin_;
}

}  // namespace scenario
