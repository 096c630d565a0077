// The readers of the three compiled files on any bytes, as dump, verify and diff meet them: the
// first byte picks the reader, the next four give the last cell or row the file is said to hold
// (as a scenario table beside it or --cells/--rows would), the rest is the file. Every size is
// the reader's to check: no input may make it read outside the bytes or allocate by a number it
// did not check.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "inspect/cell_file.h"
#include "inspect/profile_file.h"
#include "inspect/table_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 5) return 0;
  std::int32_t last = 0;
  std::memcpy(&last, data + 1, sizeof last);
  const std::string_view file(reinterpret_cast<const char*>(data) + 5, size - 5);
  switch (data[0] % 3) {
    case 0:
      static_cast<void>(scenario::inspect::read_table_file(file, "fuzz.sim"));
      break;
    case 1:
      static_cast<void>(scenario::inspect::read_cell_file(file, "fuzz.dat", last));
      break;
    default:
      static_cast<void>(scenario::inspect::read_profile_file(file, "fuzz_linea.dat", last));
      break;
  }
  return 0;
}
