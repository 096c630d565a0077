#pragma once

#include <string>
#include <string_view>

#include "model/file_fault.h"
#include "model/file_sink.h"

namespace scenario {

// The folder the compile's text files lie in: the run writes the route and train files into it,
// the parse looks them up, reads them whole and deletes them, and the writers replace the files
// they produce in it (FileSink::replace). Names are single-byte text, as the scenario state
// holds them. The run sequence supplies the folder beside the program; tests and the author's
// tools may keep the files in memory instead.
class TextFolder : public FileSink {
 public:
  // Whether the file `name` exists. A lookup the folder refuses (a name it cannot take, a
  // folder it may not search) is the fault, never "does not exist".
  virtual FileResult<bool> exists(std::string_view name) = 0;

  // Every byte of the file `name`. A file that cannot be opened (a missing one included) is a
  // fault with at_open set; one that opened and then could not be read, a fault without it.
  virtual FileResult<std::string> read(std::string_view name) = 0;

  // Deletes the file `name`. A file that is already gone is passed over; any other failure is
  // the fault, with the folder's reason.
  virtual FileResult<> remove(std::string_view name) = 0;
};

}  // namespace scenario
