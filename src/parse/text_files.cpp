#include "parse/text_files.h"

#include <string>
#include <utility>

#include "parse/read_fault.h"

namespace scenario {

bool text_file_found(TextFolder& folder, std::string_view name) {
  const FileResult<bool> found = folder.exists(name);
  if (!found) throw ReadFault::about_file("cannot look up", found.fault().reason);
  return found.value();
}

FieldReader open_text_file(TextFolder& folder, std::string_view name, ReadObserver* observer) {
  FileResult<std::string> bytes = folder.read(name);
  if (!bytes) {
    const FileFault& fault = bytes.fault();
    throw ReadFault::about_file(fault.at_open ? "cannot open" : "cannot read", fault.reason);
  }
  return FieldReader(std::move(bytes).value(), observer);
}

void remove_text_file_or_fault(TextFolder& folder, std::string_view name) {
  if (const FileResult<> removed = folder.remove(name); !removed) {
    throw ReadFault::about_file("cannot delete", removed.fault().reason);
  }
}

}  // namespace scenario
