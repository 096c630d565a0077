#pragma once

#include <functional>
#include <string_view>

#include "model/byte_writer.h"
#include "model/file_fault.h"

namespace scenario {

// Where the writers put the files they produce. A writer names the file and writes its bytes;
// the sink decides where they go and how the older file of that name gives way. The run
// sequence and the authoring command supply one that replaces files in a folder; tests supply
// one that keeps them in memory.
class FileSink {
 public:
  using Fill = std::function<void(ByteWriter&)>;

  virtual ~FileSink() = default;

  // Replaces the file `name` (single-byte text) with exactly the bytes `fill` writes, whole or
  // not at all: when writing fails, or `fill` calls fail(), the older file stays as it was and
  // the fault is returned.
  virtual FileResult<> replace(std::string_view name, const Fill& fill) = 0;
};

}  // namespace scenario
