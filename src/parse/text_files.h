#pragma once

#include <filesystem>

#include "model/file_fault.h"

namespace scenario {

// Whether the text file at `path` exists. A lookup the system refuses (a name it cannot take, a
// folder it may not search) is the fault, never "does not exist".
FileResult<bool> text_file_exists(const std::filesystem::path& path);

// Deletes the text file at `path`. A file that is already gone is passed over; any other failure
// is the fault, with the system's reason.
FileResult<> remove_text_file(const std::filesystem::path& path);

// The same, for the parse: a text file that cannot be deleted throws ReadFault (a fault of the
// file, "cannot delete"), which the parse's failure exit turns into error 25.
void remove_text_file_or_fault(const std::filesystem::path& path);

}  // namespace scenario
